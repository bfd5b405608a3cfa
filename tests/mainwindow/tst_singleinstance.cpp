// One running copy per user, with real processes: this binary started again
// as "--copy MODE FOLDER" plays the other copy (one that answers, one that
// is frozen, one that is ending). Also where the lock
// and the socket live when the session names no runtime folder.
#include "mainwindow/singleinstance.h"

#include <QLocalServer>
#include <QtTest>
#include <chrono>
#include <unistd.h>

using namespace lumora;
using namespace std::chrono_literals;
using Role = SingleInstance::Role;

Q_DECLARE_METATYPE(SingleInstance::Role)

namespace {

// The other copy, in this process: prints "ready" once it holds the lock and
// "activated" for each request it was sent.
int runCopy(const QString &mode, const QString &folder)
{
    QTextStream out(stdout);
    auto say = [&out](const char *line) { out << line << Qt::endl; };
    if (mode == u"answer") {
        SingleInstance instance(folder);
        QObject::connect(&instance, &SingleInstance::activationRequested, [&] { say("activated"); });
        const Role role = instance.claim();
        if (role != Role::Primary) {
            say(role == Role::Secondary ? "secondary" : "unguarded");
            return 0;
        }
        say("ready");
        return QCoreApplication::exec();
    }
    // Holds the lock and the socket but never answers, as a copy that is
    // frozen ("silent") or ending (its event loop is over).
    const SingleInstance paths(folder);
    QLockFile lock(paths.lockFilePath());
    lock.setStaleLockTime(0ms);
    QLocalServer deaf;
    if (!lock.tryLock() || !deaf.listen(paths.socketPath()))
        return 3;
    say("ready");
    if (mode == u"ending")
        QTimer::singleShot(400ms, qApp, &QCoreApplication::quit);
    return QCoreApplication::exec();
}

class Copy
{
public:
    Copy(const QString &mode, const QString &folder)
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--copy"), mode, folder});
    }
    ~Copy()
    {
        process.kill();
        process.waitForFinished();
    }
    // The next line the copy prints, or "" when none comes within 5 s.
    QString nextLine()
    {
        while (!process.canReadLine())
            if (!process.waitForReadyRead(5000))
                return {};
        return QString::fromUtf8(process.readLine()).trimmed();
    }
    QProcess process;
};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void firstCopyIsPrimaryAtOnce()
    {
        QTemporaryDir folder;
        QElapsedTimer clock;
        clock.start();
        SingleInstance instance(folder.path(), 5s);
        QCOMPARE(instance.claim(), Role::Primary);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    }

    void laterStartsAskTheRunningCopy()
    {
        QTemporaryDir folder;
        Copy running(QStringLiteral("answer"), folder.path());
        QCOMPARE(running.nextLine(), QStringLiteral("ready"));
        for (int start = 1; start <= 2; ++start) {
            SingleInstance later(folder.path(), 5s);
            QCOMPARE(later.claim(), Role::Secondary);
            QCOMPARE(running.nextLine(), QStringLiteral("activated"));
        }
    }

    // A copy killed outright leaves its lock file and its socket file.
    void killedCopyNeverBlocksTheNextStart()
    {
        QTemporaryDir folder;
        SingleInstance next(folder.path(), 5s);
        {
            Copy killed(QStringLiteral("answer"), folder.path());
            QCOMPARE(killed.nextLine(), QStringLiteral("ready"));
        }
        QVERIFY(QFileInfo::exists(next.lockFilePath()));
        QVERIFY(QFileInfo::exists(next.socketPath()));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(next.claim(), Role::Primary);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
        // And it answers the start after it on the socket it took over.
        QSignalSpy activations(&next, &SingleInstance::activationRequested);
        Copy later(QStringLiteral("answer"), folder.path());
        // The event loop must run for this copy to answer, hence no blocking waits.
        QTRY_COMPARE_WITH_TIMEOUT(activations.size(), 1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(later.process.state(), QProcess::NotRunning, 5000);
        QCOMPARE(later.nextLine(), QStringLiteral("secondary"));
    }

    void lockHeldWithoutAnswer_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<Role>("expected");
        QTest::addColumn<int>("minimumWaitMs");
        // Ending: the request is never taken, but the lock goes within the
        // patience and the new start takes it.
        QTest::newRow("running copy ending") << "ending" << Role::Primary << 0;
        // Frozen: the new start gives up after its patience and runs anyway.
        QTest::newRow("running copy frozen") << "silent" << Role::Unguarded << 1500;
    }
    void lockHeldWithoutAnswer()
    {
        QFETCH(QString, mode);
        QFETCH(Role, expected);
        QFETCH(int, minimumWaitMs);
        QTemporaryDir folder;
        Copy running(mode, folder.path());
        QCOMPARE(running.nextLine(), QStringLiteral("ready"));
        QElapsedTimer clock;
        clock.start();
        SingleInstance later(folder.path(), 1500ms);
        QCOMPARE(later.claim(), expected);
        QVERIFY2(clock.elapsed() >= minimumWaitMs && clock.elapsed() < 4000,
                 qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    }

    void folderWithoutSessionFolder_data()
    {
        QTest::addColumn<QString>("existing"); // what already stands at the fallback's place
        QTest::addColumn<bool>("usable");
        QTest::newRow("nothing yet") << "" << true;
        QTest::newRow("own folder, open to all") << "open folder" << true;
        QTest::newRow("a link to another folder") << "link" << false;
        QTest::newRow("a plain file") << "file" << false;
    }
    void folderWithoutSessionFolder()
    {
        QFETCH(QString, existing);
        QFETCH(bool, usable);
        QTemporaryDir temp;
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR"), savedTemp = qgetenv("TMPDIR");
        auto restore = qScopeGuard([&] {
            qputenv("XDG_RUNTIME_DIR", savedRuntime);
            qputenv("TMPDIR", savedTemp);
        });
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        const QString expected = temp.filePath(QStringLiteral("lumora-%1").arg(::getuid()));
        if (existing == u"open folder") {
            QVERIFY(QDir().mkdir(expected));
            QVERIFY(QFile::setPermissions(expected, QFileDevice::Permissions(0x7077)));
        } else if (existing == u"link") {
            QVERIFY(QDir().mkdir(temp.filePath(QStringLiteral("elsewhere"))));
            QVERIFY(QFile::link(temp.filePath(QStringLiteral("elsewhere")), expected));
        } else if (existing == u"file") {
            QFile file(expected);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString folder = sessionRuntimeFolder();
        QCOMPARE(folder, usable ? expected : QString());
        if (usable) {
            const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
            QCOMPARE(QFileInfo(folder).permissions() & QFileDevice::Permissions(0x7077), ownerOnly);
            QCOMPARE(SingleInstance(folder).claim(), Role::Primary);
        }
    }

    void sessionFolderFirst()
    {
        QTemporaryDir runtime; // owner-only, as a session's folder is
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        auto restore = qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", saved); });
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QCOMPARE(sessionRuntimeFolder(), runtime.path());
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--copy") == 0)
        return runCopy(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestSingleInstance test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
