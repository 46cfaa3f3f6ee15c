<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>DesktopNotifier</name>
    <message numerus="yes">
        <location filename="../app/desktopnotifier.cpp" line="+38"/>
        <source>%n photo(s) posted</source>
        <translation>
            <numerusform>%n photo posted</numerusform>
            <numerusform>%n photos posted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source>%n photo(s) not posted</source>
        <translation>
            <numerusform>%n photo not posted</numerusform>
            <numerusform>%n photos not posted</numerusform>
        </translation>
    </message>
</context>
</TS>
