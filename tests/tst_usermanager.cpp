#include "app/usermanager.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kAccountFile = QStringLiteral(".TAVIRO/trash");

QStringList accountLines()
{
    QFile file(kAccountFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void writeAccount(const QByteArray &content)
{
    QFile file(kAccountFile);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class TestUserManager : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void noAccountFile();
    void signInWritesTheSeventeenLines();
    void settersRewriteTheirLine_data();
    void settersRewriteTheirLine();
    void lineBreaksStayInTheirLine_data();
    void lineBreaksStayInTheirLine();
    void photoCountEncoding_data();
    void photoCountEncoding();
    void storedZeroReadsAsZero();
    void logout();
    void emptyFileIsSignedInWithEmptyValues();
    void malformedAndTruncatedFiles_data();
    void malformedAndTruncatedFiles();
    void unreadableAccountFileIsLoggedOut();
    void missingDataFolderWritesNothing();
    void fileIsOwnerOnly();
    void crashMidWriteLeavesAWholeFile();

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_previousDir;
};

void TestUserManager::init()
{
    m_previousDir = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QDir::setCurrent(m_dir->path());
    QDir().mkdir(QStringLiteral(".TAVIRO"));
}

void TestUserManager::cleanup()
{
    QDir::setCurrent(m_previousDir);
    delete m_dir;
    m_dir = nullptr;
}

void TestUserManager::noAccountFile()
{
    UserManager account;
    QVERIFY(!account.isLoggedIn());
    QCOMPARE(account.getUserId(), 0u);
    QVERIFY(account.getToken().isEmpty());
    QVERIFY(account.getTokenSecret().isEmpty());
    QVERIFY(account.getUsername().isEmpty());
    QVERIFY(account.getEmail().isEmpty());
    QVERIFY(account.getBio().isEmpty());
}

void TestUserManager::signInWritesTheSeventeenLines()
{
    UserManager account;
    account.setLoggedUserInformation(7, QStringLiteral("ann"), QStringLiteral("tok-123"), QStringLiteral("sec-456"));
    QVERIFY(!account.isLoggedIn());

    const QStringList expected = {QStringLiteral("7"), QStringLiteral("tok-123"), QStringLiteral("sec-456"),
                                  QStringLiteral("ann"), QStringLiteral("0"), QStringLiteral("0"),
                                  QStringLiteral("31402"), QString(), QString(),
                                  QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                  QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                  QStringLiteral("0"), QStringLiteral("0")};
    QCOMPARE(accountLines(), expected);

    account.loadLoggedInAccount();
    QVERIFY(account.isLoggedIn());
    QCOMPARE(account.getUserId(), 7u);
    QCOMPARE(account.getUsername(), QStringLiteral("ann"));
    QCOMPARE(account.getToken(), QStringLiteral("tok-123"));
    QCOMPARE(account.getTokenSecret(), QStringLiteral("sec-456"));
    QCOMPARE(account.getPhotoCount(), 0);
    QVERIFY(!account.isTwitterAvailable() && !account.isFacebookAvailable() && !account.isTumblrAvailable()
            && !account.isFlickrAvailable() && !account.isWeiboAvailable() && !account.isVkAvailable()
            && !account.isDropBoxAvailable() && !account.isGDriveAvailable() && !account.isPicasaAvailable());

    const auto fresh = UserManager::getInstance();
    QCOMPARE(fresh->getUsername(), QStringLiteral("ann"));
    QCOMPARE(fresh->getUserId(), 7u);
}

void TestUserManager::settersRewriteTheirLine_data()
{
    QTest::addColumn<QString>("setter");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("value");

    QTest::newRow("twitter") << "setTwitterAvailibility" << 5 << "1";
    QTest::newRow("facebook") << "setFacebookAvailibility" << 6 << "1";
    QTest::newRow("tumblr") << "setTumblrAvailibility" << 10 << "1";
    QTest::newRow("weibo") << "setWeiboAvailibility" << 11 << "1";
    QTest::newRow("flickr") << "setFlickrAvailibility" << 12 << "1";
    QTest::newRow("vk") << "setVkAvailibility" << 13 << "1";
    QTest::newRow("dropbox") << "setDropBoxAvailibility" << 14 << "1";
    QTest::newRow("gdrive") << "setGDriveAvailibility" << 15 << "1";
    QTest::newRow("picasa") << "setPicasaAvailibility" << 16 << "1";
    QTest::newRow("protected") << "setProtected" << 17 << "1";
}

void TestUserManager::settersRewriteTheirLine()
{
    QFETCH(QString, setter);
    QFETCH(int, line);
    QFETCH(QString, value);

    UserManager account;
    account.setLoggedUserInformation(3, QStringLiteral("bo"), QStringLiteral("t"), QStringLiteral("s"));
    account.loadLoggedInAccount();
    QVERIFY(QMetaObject::invokeMethod(&account, setter.toLatin1().constData(), Q_ARG(bool, true)));

    const QStringList lines = accountLines();
    QCOMPARE(lines.size(), 17);
    for (int i = 1; i <= 17; ++i) {
        if (i == line)
            QCOMPARE(lines.at(i - 1), value);
        else if (i >= 5 && i != 7 && i != 8 && i != 9)
            QCOMPARE(lines.at(i - 1), QStringLiteral("0"));
    }
    QCOMPARE(lines.first(), QStringLiteral("3"));

    UserManager reread;
    QVERIFY(reread.isLoggedIn());
    QCOMPARE(reread.getUsername(), QStringLiteral("bo"));
}

void TestUserManager::lineBreaksStayInTheirLine_data()
{
    QTest::addColumn<QString>("bio");
    QTest::addColumn<QString>("username");
    QTest::addColumn<QString>("storedBio");
    QTest::addColumn<QString>("storedUsername");

    QTest::newRow("bio of three lines") << "Street photos.\nBangkok\r\nand Chiang Mai" << "ann"
                                        << "Street photos. Bangkok and Chiang Mai" << "ann";
    QTest::newRow("carriage return alone") << "a\rb" << "ann" << "a b" << "ann";
    QTest::newRow("trailing line break") << "bio\n" << "ann" << "bio " << "ann";
    QTest::newRow("name with a line break") << "bio" << "ann\nbo" << "bio" << "ann bo";
}

// A text with a line break must not push the values after it into the
// wrong lines: the account would come back with wrong flags and counts.
void TestUserManager::lineBreaksStayInTheirLine()
{
    QFETCH(QString, bio);
    QFETCH(QString, username);
    QFETCH(QString, storedBio);
    QFETCH(QString, storedUsername);

    UserManager account;
    account.setLoggedUserInformation(3, username, QStringLiteral("t"), QStringLiteral("s"));
    account.loadLoggedInAccount();
    account.setPicasaAvailibility(true);
    account.setProtected(true);
    account.setPhotoCount(12);
    account.setProfileDetails(bio, QStringLiteral("ann@example.org"));

    const QStringList lines = accountLines();
    QCOMPARE(lines.size(), 17);
    QCOMPARE(lines.at(3), storedUsername);
    QCOMPARE(lines.at(8), storedBio);

    UserManager reread;
    QCOMPARE(reread.getUsername(), storedUsername);
    QCOMPARE(reread.getBio(), storedBio);
    QCOMPARE(reread.getEmail(), QStringLiteral("ann@example.org"));
    QCOMPARE(reread.getPhotoCount(), 12);
    QVERIFY(reread.isPicasaAvailable());
    QVERIFY(!reread.isTumblrAvailable());
    QVERIFY(reread.getProtected());
}

void TestUserManager::photoCountEncoding_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("stored");

    QTest::newRow("zero") << 0 << 31402;
    QTest::newRow("one") << 1 << 31403;
    QTest::newRow("bit 1 moves to bit 24") << 2 << ((1 << 24) ^ 0x7AAA);
    QTest::newRow("bit 24 moves to bit 1") << (1 << 24) << (2 ^ 0x7AAA);
    QTest::newRow("bit 6 moves to bit 10") << (1 << 6) << ((1 << 10) ^ 0x7AAA);
    QTest::newRow("bit 7 stays") << (1 << 7) << ((1 << 7) ^ 0x7AAA);
    QTest::newRow("a real count round-trips") << 1234 << -1;
}

void TestUserManager::photoCountEncoding()
{
    QFETCH(int, count);
    QFETCH(int, stored);

    UserManager account;
    account.setLoggedUserInformation(1, QStringLiteral("c"), QStringLiteral("t"), QStringLiteral("s"));
    account.loadLoggedInAccount();
    account.setPhotoCount(count);
    if (stored >= 0)
        QCOMPARE(accountLines().at(6), QString::number(stored));
    QCOMPARE(UserManager::getInstance()->getPhotoCount(), count);
}

void TestUserManager::storedZeroReadsAsZero()
{
    writeAccount("4\nt\ns\nname\n0\n0\n0\n\n\n0\n0\n0\n0\n0\n0\n0\n0\n");
    QCOMPARE(UserManager::getInstance()->getPhotoCount(), 0);
}

void TestUserManager::logout()
{
    UserManager account;
    account.setLoggedUserInformation(9, QStringLiteral("dee"), QStringLiteral("t"), QStringLiteral("s"));
    account.loadLoggedInAccount();
    QVERIFY(account.isLoggedIn());

    account.logout();
    QVERIFY(!QFile::exists(kAccountFile));
    QVERIFY(!account.isLoggedIn());
    QCOMPARE(account.getUsername(), QStringLiteral("dee"));

    const auto fresh = UserManager::getInstance();
    QVERIFY(!fresh->isLoggedIn());
    QVERIFY(fresh->getUsername().isEmpty());
    QCOMPARE(fresh->getUserId(), 0u);
}

void TestUserManager::emptyFileIsSignedInWithEmptyValues()
{
    writeAccount(QByteArray());
    UserManager account;
    QVERIFY(account.isLoggedIn());
    QCOMPARE(account.getUserId(), 0u);
    QVERIFY(account.getToken().isEmpty());
    QVERIFY(account.getUsername().isEmpty());
    QCOMPARE(account.getPhotoCount(), 0);
    QVERIFY(!account.getProtected());
}

void TestUserManager::malformedAndTruncatedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<uint>("userId");
    QTest::addColumn<QString>("username");
    QTest::addColumn<bool>("twitter");
    QTest::addColumn<int>("photoCount");

    QTest::newRow("truncated after the name") << QByteArray("12\ntok\nsec\nfay\n") << 12u << "fay" << false << 0;
    QTest::newRow("no final line break") << QByteArray("12\ntok\nsec\nfay\n1") << 12u << "fay" << true << 0;
    QTest::newRow("garbage numbers") << QByteArray("x\ntok\nsec\nfay\nyes\n0\nlots\n") << 0u << "fay" << false << 0;
    QTest::newRow("binary noise") << QByteArray("\x01\xff\xfe\n\n\n", 6) << 0u << "" << false << 0;
}

void TestUserManager::malformedAndTruncatedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(uint, userId);
    QFETCH(QString, username);
    QFETCH(bool, twitter);
    QFETCH(int, photoCount);

    writeAccount(content);
    UserManager account;
    QVERIFY(account.isLoggedIn());
    QCOMPARE(account.getUserId(), userId);
    QCOMPARE(account.getUsername(), username);
    QCOMPARE(account.isTwitterAvailable(), twitter);
    QCOMPARE(account.getPhotoCount(), photoCount);
}

void TestUserManager::unreadableAccountFileIsLoggedOut()
{
    // A folder where the file should be cannot be opened, even by root.
    QVERIFY(QDir().mkdir(kAccountFile));
    UserManager account;
    QVERIFY(!account.isLoggedIn());
    account.setLoggedUserInformation(1, QStringLiteral("x"), QStringLiteral("t"), QStringLiteral("s"));
    QVERIFY(QFileInfo(kAccountFile).isDir());
}

void TestUserManager::missingDataFolderWritesNothing()
{
    QVERIFY(QDir(QStringLiteral(".TAVIRO")).removeRecursively());
    UserManager account;
    account.setLoggedUserInformation(1, QStringLiteral("x"), QStringLiteral("t"), QStringLiteral("s"));
    QVERIFY(!QFile::exists(kAccountFile));
    QVERIFY(!UserManager::getInstance()->isLoggedIn());
}

void TestUserManager::fileIsOwnerOnly()
{
    UserManager account;
    account.setLoggedUserInformation(1, QStringLiteral("x"), QStringLiteral("t"), QStringLiteral("s"));
    const QFile::Permissions perms = QFileInfo(kAccountFile).permissions();
    QVERIFY(perms & QFile::ReadOwner);
    QVERIFY(perms & QFile::WriteOwner);
    QVERIFY(!(perms & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));

    // Rewriting keeps the permissions tight.
    account.loadLoggedInAccount();
    account.setTwitterAvailibility(true);
    QVERIFY(!(QFileInfo(kAccountFile).permissions() & (QFile::ReadGroup | QFile::ReadOther)));
}

void TestUserManager::crashMidWriteLeavesAWholeFile()
{
    // A writer process saving the account in a loop is killed at arbitrary
    // moments, each time after it has reported more finished saves; every
    // time, the file must hold one whole account, and one the writer wrote.
    UserManager seed;
    seed.setLoggedUserInformation(5, QStringLiteral("eve"), QStringLiteral("t"), QStringLiteral("s"));

    for (int round = 0; round < 8; ++round) {
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAVIRO_TEST_ACCOUNT_WRITER"), QStringLiteral("1"));
        writer.setProcessEnvironment(env);
        writer.setWorkingDirectory(QDir::currentPath());
        writer.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(writer.waitForStarted());
        QByteArray reported;
        const int saves = 1 + 5 * round;
        QVERIFY(QTest::qWaitFor([&] {
            writer.waitForReadyRead(10);
            reported += writer.readAllStandardOutput();
            return reported.count('\n') >= saves;
        }, 20000));
        writer.kill();
        writer.waitForFinished();

        const QStringList lines = accountLines();
        QCOMPARE(lines.size(), 17);
        QCOMPARE(lines.at(3), QStringLiteral("eve"));
        QCOMPARE(lines.at(7), QStringLiteral("eve@example.org"));
        const auto account = UserManager::getInstance();
        QVERIFY(account->isLoggedIn());
        // Every reported save reached the file before the kill.
        const int lastReported = reported.trimmed().split('\n').last().toInt();
        QVERIFY2(account->getPhotoCount() >= lastReported,
                 qPrintable(QStringLiteral("%1 after %2").arg(account->getPhotoCount()).arg(lastReported)));
    }
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("TAVIRO_TEST_ACCOUNT_WRITER")) {
        QCoreApplication app(argc, argv);
        UserManager account;
        const QString longBio(4096, QLatin1Char('b'));
        QTextStream out(stdout);
        for (int i = 0;; ++i) {
            account.setProfileDetails(i % 2 ? longBio : QString(), QStringLiteral("eve@example.org"));
            account.setPhotoCount(i);
            out << i << '\n';
            out.flush();
        }
    }
    QCoreApplication app(argc, argv);
    TestUserManager test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_usermanager.moc"
