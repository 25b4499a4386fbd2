// The generator as the build runs it: same bytes every run, and failures that say so.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "picture_files.h"

namespace tessaly::picgen::test {
namespace {

struct PicgenRun {
    int exitCode = -1;
    QString errors;
};

QProcess* startPicgen(const QStringList& arguments, QObject* owner) {
    auto* process = new QProcess(owner);
    process->setProgram(QStringLiteral(PICGEN_PATH));
    process->setArguments(arguments);
    process->start();
    return process;
}

PicgenRun finish(QProcess* process) {
    PicgenRun run;
    if (!process->waitForFinished(120'000) || process->exitStatus() != QProcess::NormalExit) {
        run.errors = QStringLiteral("picgen did not finish: ") + process->errorString();
        return run;
    }
    run.exitCode = process->exitCode();
    run.errors = QString::fromLocal8Bit(process->readAllStandardError());
    return run;
}

PicgenRun runPicgen(const QStringList& arguments) {
    QObject owner;
    return finish(startPicgen(arguments, &owner));
}

QStringList filesUnder(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file in `dir` holding `bytes`; empty when it cannot be written.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = QDir(dir.path()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return path;
}

TEST(Picgen, TwoRunsWriteTheSameBytesAsTheBuild) {
    QTemporaryDir first, second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    QObject owner;
    // Both at once: the machine has two cores and this is the slow test.
    QProcess* a = startPicgen({first.path()}, &owner);
    QProcess* b = startPicgen({second.path()}, &owner);
    const PicgenRun runA = finish(a), runB = finish(b);
    ASSERT_EQ(runA.exitCode, 0) << qPrintable(runA.errors);
    ASSERT_EQ(runB.exitCode, 0) << qPrintable(runB.errors);

    const QStringList files = filesUnder(first.path());
    EXPECT_EQ(files.size(), 25 * 45 + 15 + 1);
    EXPECT_EQ(filesUnder(second.path()), files);
    for (const QString& file : files) {
        const QByteArray bytes = contents(QDir(first.path()).filePath(file));
        EXPECT_FALSE(bytes.isEmpty()) << qPrintable(file);
        EXPECT_EQ(bytes, contents(QDir(second.path()).filePath(file))) << qPrintable(file);
        // The build's folder must hold what this generator writes, not a stale copy.
        EXPECT_EQ(bytes, contents(resourcePath(file))) << qPrintable(file);
    }
}

TEST(Picgen, TheReadmeOverviewShowsTheSetsAsTheyAre) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = QDir(dir.path()).filePath(QStringLiteral("overview.png"));
    const PicgenRun run = runPicgen({QStringLiteral("--overview"), path});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    const QImage drawn(path);
    const QImage committed(QStringLiteral(PICGEN_OVERVIEW));
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
              committed.convertToFormat(QImage::Format_RGB32))
        << "the sets changed: run picgen --overview " << PICGEN_OVERVIEW;
}

TEST(Picgen, LookAlikeReportRefusesGemsThatDifferOnlyInHue) {
    QByteArray list;
    for (int set = 1; set <= 25; ++set) {
        list += "set 112233 | Set " + QByteArray::number(set) + "\n";
        for (int kind = 1; kind <= 45; ++kind) {
            list += "gem circle " + QByteArray::number(0x100000 + kind * 0x050301, 16) + "\n";
        }
    }
    QTemporaryDir dir;
    const QString sets = writeFile(dir, QStringLiteral("sets.txt"), list);
    ASSERT_FALSE(sets.isEmpty());
    QObject owner;
    QProcess* process =
        startPicgen({QStringLiteral("--sets"), sets, QStringLiteral("--look-alikes")}, &owner);
    const PicgenRun run = finish(process);
    EXPECT_EQ(run.exitCode, 1) << qPrintable(run.errors);
    const QString report = QString::fromUtf8(process->readAllStandardOutput());
    EXPECT_TRUE(report.contains(QStringLiteral("pic25 Set 25"))) << qPrintable(report);
    EXPECT_TRUE(report.contains(QStringLiteral("look alike: 1 and 2"))) << qPrintable(report);
}

TEST(Picgen, FailsLoudlyWhenItCannotWriteTheFolder) {
    QTemporaryDir dir;
    const QString blocker = writeFile(dir, QStringLiteral("resource"), "not a folder");
    ASSERT_FALSE(blocker.isEmpty());
    const PicgenRun run = runPicgen({blocker});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("cannot create"))) << qPrintable(run.errors);
}

TEST(Picgen, RejectsABrokenSetListNamingTheLine) {
    QTemporaryDir dir;
    const QString sets = writeFile(dir, QStringLiteral("sets.txt"),
                                   "set 123456 | One\nemoji 1F436 | dog\nemoji XYZ | broken\n");
    ASSERT_FALSE(sets.isEmpty());
    const PicgenRun run = runPicgen({QStringLiteral("--sets"), sets, dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("line 3"))) << qPrintable(run.errors);
    EXPECT_FALSE(QDir(dir.path()).exists(QStringLiteral("pic1")));
}

TEST(Picgen, RejectsUnknownOptionsAndAMissingFolder) {
    EXPECT_EQ(runPicgen({QStringLiteral("--frobnicate"), QStringLiteral("x")}).exitCode, 2);
    EXPECT_EQ(runPicgen({}).exitCode, 2);
    EXPECT_EQ(runPicgen({QStringLiteral("--contact-sheets")}).exitCode, 2);
    EXPECT_EQ(runPicgen({QStringLiteral("--overview")}).exitCode, 2);
    EXPECT_EQ(runPicgen({QStringLiteral("--look-alikes"), QStringLiteral("x")}).exitCode, 2);
}

}  // namespace
}  // namespace tessaly::picgen::test
