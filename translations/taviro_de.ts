<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DesktopNotifier</name>
    <message numerus="yes">
        <location filename="../app/desktopnotifier.cpp" line="+38"/>
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
    <message numerus="yes">
        <location line="+8"/>
        <source>%n photo(s) not posted</source>
        <translation>
            <numerusform>%n Foto nicht veröffentlicht</numerusform>
            <numerusform>%n Fotos nicht veröffentlicht</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 The photo waits in the queue until you try again or remove it.</source>
        <translation>%1 Das Foto wartet in der Warteschlange, bis du es erneut versuchst oder entfernst.</translation>
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
    <name>QueueFolder</name>
    <message>
        <location filename="../upload/queuefolder.cpp" line="+79"/>
        <source>The photo file is missing: %1</source>
        <translation>Die Fotodatei fehlt: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+38"/>
        <source>The photo file cannot be read: %1</source>
        <translation>Die Fotodatei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <location line="-36"/>
        <source>The photo file is empty: %1</source>
        <translation>Die Fotodatei ist leer: %1</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>The photo could not be stored in the upload queue.</source>
        <translation>Das Foto konnte nicht in der Warteschlange gespeichert werden.</translation>
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
<context>
    <name>UploaderQueueModel</name>
    <message>
        <location filename="../upload/uploaderqueuemodel.cpp" line="+349"/>
        <source>The service did not accept the photo.</source>
        <translation>Der Dienst hat das Foto nicht angenommen.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>The service answered %1.</source>
        <translation>Der Dienst antwortete %1.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The service cannot be reached.</source>
        <translation>Der Dienst ist nicht erreichbar.</translation>
    </message>
</context>
</TS>
