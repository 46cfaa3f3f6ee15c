<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH">
<context>
    <name>DesktopNotifier</name>
    <message numerus="yes">
        <location filename="../app/desktopnotifier.cpp" line="+38"/>
        <source>%n photo(s) posted</source>
        <translation>
            <numerusform>โพสต์รูปภาพแล้ว %n รูป</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your friends can see them in their timeline now.</source>
        <translation>ตอนนี้เพื่อน ๆ ของคุณเห็นรูปภาพเหล่านี้ในไทม์ไลน์แล้ว</translation>
    </message>
    <message numerus="yes">
        <location line="+8"/>
        <source>%n photo(s) not posted</source>
        <translation>
            <numerusform>โพสต์รูปภาพไม่สำเร็จ %n รูป</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 The photo waits in the queue until you try again or remove it.</source>
        <translation>%1 รูปภาพจะรออยู่ในคิวจนกว่าคุณจะลองอีกครั้งหรือลบออก</translation>
    </message>
</context>
<context>
    <name>HTTPImageLoaderManager</name>
    <message>
        <location filename="../service/httpimageloadermanager.cpp" line="+151"/>
        <source>One or more SSL errors has occurred: %1</source>
        <translation>เกิดข้อผิดพลาดของการเชื่อมต่อที่ปลอดภัย: %1</translation>
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
        <translation>ไม่พบไฟล์รูปภาพ: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+38"/>
        <source>The photo file cannot be read: %1</source>
        <translation>อ่านไฟล์รูปภาพไม่ได้: %1</translation>
    </message>
    <message>
        <location line="-36"/>
        <source>The photo file is empty: %1</source>
        <translation>ไฟล์รูปภาพว่างเปล่า: %1</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>The photo could not be stored in the upload queue.</source>
        <translation>เก็บรูปภาพไว้ในคิวอัปโหลดไม่ได้</translation>
    </message>
</context>
<context>
    <name>SignInPage</name>
    <message>
        <location filename="../qml/ui/pages/SignInPage.qml" line="+28"/>
        <source>Unexpected answer from the service</source>
        <translation>บริการตอบกลับมาอย่างไม่คาดคิด</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Cannot reach the service: %1</source>
        <translation>ติดต่อบริการไม่ได้: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sign-in failed (%1)</source>
        <translation>เข้าสู่ระบบไม่สำเร็จ (%1)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Sign in to see your friends&apos; photos</source>
        <translation>เข้าสู่ระบบเพื่อดูรูปภาพของเพื่อน ๆ</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>User name</source>
        <translation>ชื่อผู้ใช้</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Password</source>
        <translation>รหัสผ่าน</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Signing in…</source>
        <translation>กำลังเข้าสู่ระบบ…</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sign in</source>
        <translation>เข้าสู่ระบบ</translation>
    </message>
</context>
<context>
    <name>TAVIROCamera</name>
    <message>
        <location filename="../camera/tavirocamera.cpp" line="+132"/>
        <source>No camera is available</source>
        <translation>ไม่มีกล้องให้ใช้งาน</translation>
    </message>
</context>
<context>
    <name>TimelinePage</name>
    <message>
        <location filename="../qml/ui/pages/TimelinePage.qml" line="+39"/>
        <source>Cannot reach the service: %1</source>
        <translation>ติดต่อบริการไม่ได้: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The service answered %1: %2</source>
        <translation>บริการตอบกลับ %1: %2</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Refresh</source>
        <translation>รีเฟรช</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Sign out</source>
        <translation>ออกจากระบบ</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>Loading…</source>
        <translation>กำลังโหลด…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No photos yet: follow someone!</source>
        <translation>ยังไม่มีรูปภาพ: ลองติดตามใครสักคนสิ!</translation>
    </message>
</context>
<context>
    <name>UploaderQueueModel</name>
    <message>
        <location filename="../upload/uploaderqueuemodel.cpp" line="+349"/>
        <source>The service did not accept the photo.</source>
        <translation>บริการไม่รับรูปภาพนี้</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>The service answered %1.</source>
        <translation>บริการตอบกลับ %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The service cannot be reached.</source>
        <translation>ติดต่อบริการไม่ได้</translation>
    </message>
</context>
</TS>
