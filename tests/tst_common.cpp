#include "app/common.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// Runs the step as an ordinary user: root may remove files from a read-only
// folder, so as root the folder is handed to "nobody" and the step runs in a
// child process that has dropped its rights.
bool runUnprivileged(const QString &folder, const std::function<bool()> &step)
{
    if (::geteuid() != 0)
        return step();
    QStringList owned{folder};
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext())
        owned.append(entries.next());
    for (const QString &path : qAsConst(owned)) {
        if (::lchown(QFile::encodeName(path).constData(), kNobody, kNobody) != 0)
            return false;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped && step() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

class TestCommon : public QObject
{
    Q_OBJECT
private slots:
    void removeDirMissingPathIsTrue();
    void removeDirWithoutANameRemovesNothing();
    void removeDirRemovesTheWholeTree();
    void removeDirStopsAtAFileItCannotRemove();
    void removeDirRemovesLinksNotTheirTargets_data();
    void removeDirRemovesLinksNotTheirTargets();
    void clearCacheEmptiesTheCacheRoot();
    void credentialForms_data();
    void credentialForms();
};

void TestCommon::removeDirMissingPathIsTrue()
{
    QTemporaryDir dir;
    QVERIFY(Common().removeDir(dir.filePath(QStringLiteral("nothing-here"))));
}

// An empty name would otherwise mean the working directory: the user's home.
void TestCommon::removeDirWithoutANameRemovesNothing()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    touch(QStringLiteral(".TAVIRO/trash"));
    touch(QStringLiteral("photo.jpg"));

    const bool removed = Common().removeDir(QString());
    const bool kept = QFile::exists(QStringLiteral(".TAVIRO/trash")) && QFile::exists(QStringLiteral("photo.jpg"));
    QDir::setCurrent(previous);
    QVERIFY(removed);
    QVERIFY(kept);
}

void TestCommon::removeDirRemovesTheWholeTree()
{
    QTemporaryDir dir;
    const QString top = dir.filePath(QStringLiteral("tree"));
    touch(top + QStringLiteral("/a.jpg"));
    touch(top + QStringLiteral("/.hidden"));
    touch(top + QStringLiteral("/sub/deeper/b.jpg"));
    QVERIFY(Common().removeDir(top));
    QVERIFY(!QFileInfo::exists(top));
}

void TestCommon::removeDirStopsAtAFileItCannotRemove()
{
    QTemporaryDir dir;
    const QString top = dir.filePath(QStringLiteral("tree"));
    touch(top + QStringLiteral("/early/one.jpg"));
    touch(top + QStringLiteral("/locked/stuck.jpg"));
    // Folders come first: the files after the failing folder stay.
    touch(top + QStringLiteral("/after.jpg"));
    QFile::setPermissions(top + QStringLiteral("/locked"), QFile::ReadOwner | QFile::ExeOwner);

    QVERIFY(runUnprivileged(dir.path(), [&top] { return !Common().removeDir(top); }));
    QVERIFY(!QFileInfo::exists(top + QStringLiteral("/early")));
    QVERIFY(QFileInfo::exists(top + QStringLiteral("/locked/stuck.jpg")));
    QVERIFY(QFileInfo::exists(top + QStringLiteral("/after.jpg")));
    QFile::setPermissions(top + QStringLiteral("/locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestCommon::removeDirRemovesLinksNotTheirTargets_data()
{
    QTest::addColumn<bool>("linkToFolder");
    QTest::addColumn<bool>("linkIsTheTop");
    QTest::newRow("link to a folder inside the tree") << true << false;
    QTest::newRow("link to a file inside the tree") << false << false;
    QTest::newRow("the tree itself is a link") << true << true;
}

void TestCommon::removeDirRemovesLinksNotTheirTargets()
{
    QFETCH(bool, linkToFolder);
    QFETCH(bool, linkIsTheTop);

    QTemporaryDir dir;
    const QString outside = dir.filePath(QStringLiteral("precious"));
    touch(outside + QStringLiteral("/photo.jpg"));
    const QString target = linkToFolder ? outside : outside + QStringLiteral("/photo.jpg");

    const QString top = dir.filePath(QStringLiteral("cache"));
    QString link;
    if (linkIsTheTop) {
        link = top;
    } else {
        touch(top + QStringLiteral("/inside.jpg"));
        link = top + QStringLiteral("/escape");
    }
    QVERIFY(QFile::link(target, link));

    QVERIFY(Common().removeDir(top));
    QVERIFY(!QFileInfo(link).isSymLink());
    QVERIFY(!QFileInfo::exists(top));
    QVERIFY(QFileInfo::exists(outside + QStringLiteral("/photo.jpg")));
}

void TestCommon::clearCacheEmptiesTheCacheRoot()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    touch(QStringLiteral(".TAVIRO/cache/thumbnail/1.jpg"));
    touch(QStringLiteral(".TAVIRO/cache/badge/2.png"));
    touch(QStringLiteral(".TAVIRO/trash"));

    Common().clearCache();
    QDir cache(QStringLiteral(".TAVIRO/cache"));
    const bool empty = !cache.exists()
        || cache.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty();
    const bool accountKept = QFile::exists(QStringLiteral(".TAVIRO/trash"));
    QDir::setCurrent(previous);
    QVERIFY(empty);
    QVERIFY(accountKept);
}

void TestCommon::credentialForms_data()
{
    QTest::addColumn<QString>("getter");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("service key") << "getConsumerKey" << ".+";
    QTest::newRow("service secret") << "getConsumerSecret" << ".+";
    QTest::newRow("twitter key") << "getTwConsumerKey" << ".+";
    QTest::newRow("twitter secret") << "getTwConsumerSecret" << ".+";
    QTest::newRow("tumblr key") << "getTumblrConsumerKey" << "[A-Za-z0-9]{50}";
    QTest::newRow("tumblr secret") << "getTumblrConsumerSecret" << "[A-Za-z0-9]{50}";
    QTest::newRow("weibo key") << "getWeiboConsumerKey" << "[0-9]{10}";
    QTest::newRow("weibo secret") << "getWeiboConsumerSecret" << "[0-9a-f]{32}";
    QTest::newRow("flickr key") << "getFlickrConsumerKey" << "[0-9a-f]{32}";
    QTest::newRow("flickr secret") << "getFlickrConsumerSecret" << "[0-9a-f]{16}";
    QTest::newRow("vk id") << "getVKApplicationID" << "[0-9]{7}";
    QTest::newRow("vk key") << "getVKSecretKey" << "[A-Za-z0-9]{20}";
    QTest::newRow("dropbox key") << "getDropBoxConsumerKey" << "[A-Za-z0-9]{15}";
    QTest::newRow("dropbox secret") << "getDropBoxConsumerSecret" << "[A-Za-z0-9]{15}";
}

void TestCommon::credentialForms()
{
    QFETCH(QString, getter);
    QFETCH(QString, pattern);

    Common common;
    QString value;
    QVERIFY(QMetaObject::invokeMethod(&common, getter.toLatin1().constData(), Q_RETURN_ARG(QString, value)));
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(value).hasMatch(),
             qPrintable(value));
}

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
