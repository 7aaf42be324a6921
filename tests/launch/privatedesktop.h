#pragma once

// A desktop of the test's own, so that launches reach a recorder instead of the machine's real
// programs. The desktop's service reads its folders once per process, so each test that needs one
// runs again in a child process started with the private folders in its environment:
//
//     TEST(Suite, Name) {
//         if (RerunOnPrivateDesktop(setup))
//             return;
//         ... // runs in the child, on the private desktop
//     }
//
// The recorder is a program associated with the chosen file types and address schemes; each start
// leaves a record of its working directory and its arguments. While the file "hold" exists in the
// desktop's folder it keeps running, so a test can see whether a launch waited for it.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// Texts in failure messages read as text.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

struct DesktopSetup
{
    QStringList fileTypes;        // content types the recorder opens, given the file's path
    QStringList urlSchemes;       // address schemes the recorder opens, given the address
    bool filesInTerminal = false; // the program for the file types asks for a terminal
    // When set, the child is a copy of the test program in this folder of the desktop's folder,
    // with these files of the test program's own folder copied beside it.
    QString programFolder;
    QStringList besideProgram;
    // The desktop's folder is opened to every user, for children that drop to another one.
    bool openToAll = false;
};

struct RecordedLaunch
{
    QString workingDirectory;
    QStringList arguments;
    QString record; // the record's path; "<record>.done" appears once the recorder has ended
};

namespace privatedesktop {

inline const char *FolderVariable = "VELLUM_PRIVATE_DESKTOP";

inline bool WriteText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

inline QString Recorder(const QString &folder)
{
    // Every value is written as data between NULs; nothing in a value is ever run.
    return uR"script(#!/bin/sh
out='%1/launches/'$$
{ printf '%s\0' "$(pwd -P)"; for arg in "$@"; do printf '%s\0' "$arg"; done; } > "$out.part"
mv "$out.part" "$out"
i=0
while [ -e '%1/hold' ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i + 1)); done
: > "$out.done"
)script"_qs.arg(folder);
}

inline QString DesktopEntry(const QString &folder, const QString &field, const QStringList &types,
                            bool inTerminal = false)
{
    return u"[Desktop Entry]\nType=Application\nName=Launch recorder\nNoDisplay=true\n"
           u"Exec=%1/recorder %2\nMimeType=%3;\nTerminal=%4\n"_qs.arg(
               folder, field, types.join(u';'), inTerminal ? u"true"_qs : u"false"_qs);
}

// Builds the desktop in folder; false when a part of it could not be made.
inline bool Build(const QString &folder, const DesktopSetup &setup)
{
    QDir root(folder);
    for (const char *sub : {"data-home", "config", "config-dirs", "share/applications", "launches"})
        if (!root.mkpath(QString::fromLatin1(sub)))
            return false;
    // The machine's content types, but none of its programs.
    if (QFileInfo::exists(u"/usr/share/mime"_qs))
        QFile::link(u"/usr/share/mime"_qs, folder + u"/share/mime"_qs);

    const QString recorder = folder + u"/recorder"_qs;
    if (!WriteText(recorder, Recorder(folder)) ||
        !QFile::setPermissions(recorder, QFile::permissions(recorder) | QFile::ExeOwner |
                                             QFile::ExeGroup | QFile::ExeOther))
        return false;

    QString defaults = u"[Default Applications]\n"_qs;
    if (!setup.fileTypes.isEmpty()) {
        if (!WriteText(folder + u"/share/applications/vellum-file-recorder.desktop"_qs,
                       DesktopEntry(folder, u"%f"_qs, setup.fileTypes, setup.filesInTerminal)))
            return false;
        for (const QString &type : setup.fileTypes)
            defaults += type + u"=vellum-file-recorder.desktop\n"_qs;
    }
    if (!setup.urlSchemes.isEmpty()) {
        QStringList types;
        for (const QString &scheme : setup.urlSchemes)
            types << u"x-scheme-handler/"_qs + scheme;
        if (!WriteText(folder + u"/share/applications/vellum-url-recorder.desktop"_qs,
                       DesktopEntry(folder, u"%u"_qs, types)))
            return false;
        for (const QString &type : types)
            defaults += type + u"=vellum-url-recorder.desktop\n"_qs;
    }
    if (!WriteText(folder + u"/config/mimeapps.list"_qs, defaults))
        return false;

    if (setup.openToAll) {
        const QFile::Permissions readable =
            QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        const QString launches = folder + u"/launches"_qs;
        if (!QFile::setPermissions(folder, QFile::permissions(folder) | readable) ||
            !QFile::setPermissions(launches, QFile::permissions(launches) | readable |
                                                 QFile::WriteGroup | QFile::WriteOther))
            return false;
    }
    return true;
}

// Copies the test program into the desktop's folder; returns the copy's path, empty on failure.
inline QString CopyProgram(const QString &folder, const DesktopSetup &setup)
{
    const QString programFolder = folder + u'/' + setup.programFolder;
    const QString copy =
        programFolder + u'/' + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (!QDir().mkpath(programFolder) ||
        !QFile::copy(QCoreApplication::applicationFilePath(), copy))
        return {};
    for (const QString &name : setup.besideProgram)
        if (!QFile::copy(QCoreApplication::applicationDirPath() + u'/' + name,
                         programFolder + u'/' + name))
            return {};
    return copy;
}

} // namespace privatedesktop

// In the test program: runs the current test again in a child on a private desktop, checks that
// it passed there, and returns true. In the child: returns false, and the test goes on.
inline bool RerunOnPrivateDesktop(const DesktopSetup &setup)
{
    if (qEnvironmentVariableIsSet(privatedesktop::FolderVariable))
        return false;

    QTemporaryDir desktop;
    const QString folder = QDir(desktop.path()).canonicalPath();
    EXPECT_TRUE(privatedesktop::Build(folder, setup));
    QString program = QCoreApplication::applicationFilePath();
    if (!setup.programFolder.isEmpty()) {
        program = privatedesktop::CopyProgram(folder, setup);
        EXPECT_FALSE(program.isEmpty());
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(privatedesktop::FolderVariable), folder);
    environment.insert(u"XDG_DATA_HOME"_qs, folder + u"/data-home"_qs);
    environment.insert(u"XDG_CONFIG_HOME"_qs, folder + u"/config"_qs);
    environment.insert(u"XDG_CONFIG_DIRS"_qs, folder + u"/config-dirs"_qs);
    environment.insert(u"XDG_DATA_DIRS"_qs, folder + u"/share"_qs);
    environment.insert(u"GIO_USE_VFS"_qs, u"local"_qs);
    environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    environment.remove(u"XDG_CURRENT_DESKTOP"_qs);
    environment.remove(u"GTEST_OUTPUT"_qs);

    const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(folder);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(program, {u"--gtest_filter="_qs + QString::fromUtf8(test->test_suite_name()) +
                          u'.' + QString::fromUtf8(test->name())});
    const bool finished = child.waitForFinished(120000);
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_TRUE(finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                output.contains(u"[  PASSED  ] 1 test."_qs))
        << "the test on the private desktop:\n"
        << output.toStdString();
    return true;
}

inline QString PrivateDesktopFolder()
{
    return qEnvironmentVariable(privatedesktop::FolderVariable);
}

// Waits until the recorder has been started count times in all, or the time is up, and returns
// its records.
inline QList<RecordedLaunch> WaitForLaunches(int count, int milliseconds = 10000)
{
    const QDir launches(PrivateDesktopFolder() + u"/launches"_qs);
    QStringList records;
    for (int waited = 0; waited < milliseconds; waited += 20) {
        records = launches.entryList({u"[0-9]*"_qs}, QDir::Files);
        records.removeIf([](const QString &name) { return name.contains(u'.'); });
        if (records.size() >= count)
            break;
        QTest::qWait(20);
    }
    QList<RecordedLaunch> result;
    for (const QString &name : records) {
        QFile file(launches.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QStringList values = QString::fromUtf8(file.readAll()).split(QChar(0));
        values.removeLast(); // after the last NUL
        if (values.isEmpty())
            continue;
        RecordedLaunch launch;
        launch.workingDirectory = values.takeFirst();
        launch.arguments = values;
        launch.record = file.fileName();
        result << launch;
    }
    return result;
}

// Whether the recorder stayed idle: a launch that went out would have left its record by now.
inline bool NothingLaunched()
{
    return WaitForLaunches(1, 500).isEmpty();
}
