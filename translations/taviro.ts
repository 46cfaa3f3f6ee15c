<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>DesktopNotifier</name>
    <message numerus="yes">
        <location filename="../app/desktopnotifier.cpp" line="+33"/>
        <source>%n photo(s) posted</source>
        <translation>
            <numerusform>%n photo posted</numerusform>
            <numerusform>%n photos posted</numerusform>
        </translation>
    </message>
</context>
</TS>
