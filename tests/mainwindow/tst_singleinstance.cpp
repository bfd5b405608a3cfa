// One running copy per user, with real processes: this binary started again
// as "--copy MODE FOLDER" plays the other copy (one that answers, one that is
// frozen, one that is ending, one that was killed). Also where the lock and
// the socket live when the session names no runtime folder.
#include "mainwindow/singleinstance.h"
#include "support/rows.h"

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
        say(role == Role::Primary ? "ready" : role == Role::Secondary ? "secondary" : "refused");
        return role == Role::Primary ? QCoreApplication::exec() : 0;
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

struct Copy {
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
    void claim_data()
    {
        // running: the other copy's mode, or what stands at the guard's places
        addColumns<QString, Role, int, QString>("running", "expected", "minimumWaitMs", "problem");
        const QString cannot = QStringLiteral("Lumora ne peut pas vérifier qu'il n'est pas déjà lancé : ");
        QTest::newRow("none") << "" << Role::Primary << 0 << "";
        QTest::newRow("one that answers") << "answer" << Role::Secondary << 0 << "";
        // Its lock file and socket file are left behind.
        QTest::newRow("one killed") << "killed" << Role::Primary << 0 << "";
        // The request is never taken, but the lock goes within the patience.
        QTest::newRow("one ending") << "ending" << Role::Primary << 0 << "";
        QTest::newRow("one frozen") << "silent" << Role::Unanswered << 1500 << "Lumora est déjà lancé mais ne répond pas";
        const QString notOurs = cannot + "%1 n'est pas le fichier attendu";
        QTest::newRow("a folder at the lock") << "Lumora.lock" << Role::Refused << 0 << notOurs;
        QTest::newRow("a folder at the socket") << "Lumora.socket" << Role::Refused << 0 << notOurs;
        QTest::newRow("no private folder") << "no folder" << Role::Refused << 0
                                           << cannot + "aucun dossier n'est à vous seul pour son verrou";
    }
    void claim()
    {
        const auto [running, expected, minimumWaitMs, problem] = fetchColumns<QString, Role, int, QString>("running",
            "expected", "minimumWaitMs", "problem");
        QTemporaryDir temp;
        const QString folder = running == u"no folder" ? QString() : temp.path();
        std::optional<Copy> other;
        if (running.startsWith(u"Lumora."))
            QVERIFY(QDir(folder).mkdir(running));
        else if (!running.isEmpty() && !folder.isEmpty())
            QCOMPARE(other.emplace(running == u"killed" ? QStringLiteral("answer") : running, folder).nextLine(), "ready");
        if (running == u"killed")
            other.reset();
        QElapsedTimer clock;
        clock.start();
        SingleInstance later(folder, 1500ms);
        QCOMPARE(later.claim(), expected);
        QVERIFY2(clock.elapsed() >= minimumWaitMs && clock.elapsed() < minimumWaitMs + 1000,
                 qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
        QCOMPARE(later.problem(), problem.arg(QDir(folder).filePath(running)));
        if (expected == Role::Secondary)
            QCOMPARE(other->nextLine(), QStringLiteral("activated"));
        if (expected != Role::Primary)
            return;
        // The next start is answered on the socket this copy took.
        QSignalSpy activations(&later, &SingleInstance::activationRequested);
        Copy next(QStringLiteral("answer"), folder);
        QTRY_COMPARE_WITH_TIMEOUT(activations.size(), 1, 5000); // the event loop runs meanwhile
        QTRY_COMPARE_WITH_TIMEOUT(next.process.state(), QProcess::NotRunning, 5000);
        QCOMPARE(next.nextLine(), QStringLiteral("secondary"));
    }

    // The session's runtime folder when it names one; else lumora-<uid> under
    // the temporary folder, only when this user alone can enter it.
    void runtimeFolder_data()
    {
        // existing: what already stands at the fallback's place
        addColumns<QString, bool>("existing", "usable");
        QTest::newRow("session folder named") << "session" << true;
        QTest::newRow("nothing yet") << "" << true;
        QTest::newRow("own folder, open to all") << "open folder" << true;
        QTest::newRow("a link to another folder") << "link" << false;
        QTest::newRow("a plain file") << "file" << false;
    }
    void runtimeFolder()
    {
        const auto [existing, usable] = fetchColumns<QString, bool>("existing", "usable");
        QTemporaryDir temp;
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR"), savedTemp = qgetenv("TMPDIR");
        auto restore = qScopeGuard([&] {
            qputenv("XDG_RUNTIME_DIR", savedRuntime);
            qputenv("TMPDIR", savedTemp);
        });
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        QString expected = temp.filePath(QStringLiteral("lumora-%1").arg(::getuid()));
        if (existing == u"session") {
            expected = temp.path(); // owner-only, as a session's folder is
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(expected));
        } else if (existing == u"open folder") {
            QVERIFY(QDir().mkdir(expected) && QFile::setPermissions(expected, QFileDevice::Permissions(0x7077)));
        } else if (existing == u"link") {
            QVERIFY(QDir().mkdir(temp.filePath(QStringLiteral("elsewhere"))));
            QVERIFY(QFile::link(temp.filePath(QStringLiteral("elsewhere")), expected));
        } else if (existing == u"file") {
            QVERIFY(QFile(expected).open(QIODevice::WriteOnly));
        }
        const QString folder = sessionRuntimeFolder();
        QCOMPARE(folder, usable ? expected : QString());
        if (usable) {
            const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
            QCOMPARE(QFileInfo(folder).permissions() & QFileDevice::Permissions(0x7077), ownerOnly);
        }
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
