<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DesktopNotifier</name>
    <message numerus="yes">
        <location filename="../app/desktopnotifier.cpp" line="+33"/>
        <source>%n photo(s) posted</source>
        <translation>
            <numerusform>%n Foto veröffentlicht</numerusform>
            <numerusform>%n Fotos veröffentlicht</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your friends can see them in their timeline now.</source>
        <translation>Deine Freunde sehen sie jetzt in ihrer Zeitleiste.</translation>
    </message>
</context>
<context>
    <name>HTTPImageLoaderManager</name>
    <message>
        <location filename="../service/httpimageloadermanager.cpp" line="+151"/>
        <source>One or more SSL errors has occurred: %1</source>
        <translation>Bei der sicheren Verbindung sind Fehler aufgetreten: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>TAVIRO</source>
        <translation>TAVIRO</translation>
    </message>
</context>
<context>
    <name>SignInPage</name>
    <message>
        <location filename="../qml/ui/pages/SignInPage.qml" line="+28"/>
        <source>Unexpected answer from the service</source>
        <translation>Unerwartete Antwort des Dienstes</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Cannot reach the service: %1</source>
        <translation>Der Dienst ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sign-in failed (%1)</source>
        <translation>Anmeldung fehlgeschlagen (%1)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Sign in to see your friends&apos; photos</source>
        <translation>Anmelden und die Fotos deiner Freunde sehen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Signing in…</source>
        <translation>Anmelden …</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sign in</source>
        <translation>Anmelden</translation>
    </message>
</context>
<context>
    <name>TAVIROCamera</name>
    <message>
        <location filename="../camera/tavirocamera.cpp" line="+132"/>
        <source>No camera is available</source>
        <translation>Keine Kamera verfügbar</translation>
    </message>
</context>
<context>
    <name>TimelinePage</name>
    <message>
        <location filename="../qml/ui/pages/TimelinePage.qml" line="+39"/>
        <source>Cannot reach the service: %1</source>
        <translation>Der Dienst ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The service answered %1: %2</source>
        <translation>Der Dienst antwortete %1: %2</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Sign out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>Loading…</source>
        <translation>Wird geladen …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No photos yet: follow someone!</source>
        <translation>Noch keine Fotos: folge jemandem!</translation>
    </message>
</context>
</TS>
