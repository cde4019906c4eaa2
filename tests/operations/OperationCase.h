#pragma once

#include "RecordingWindow.h"
#include "operations/OperationState.h"
#include "operations/Outcome.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <exception>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

// One run of an operation against a real file in a fresh folder, described as a table row.
enum class FileSetup
{
    Writable,
    ReadOnly,
    Missing,
};

enum class FileBox
{
    ChosenPath,
    Empty,
    Blanks,
    HandTyped, // names another file, which must not be touched
};

struct OperationCase
{
    std::string name;
    QByteArray password;
    QByteArray before;
    QStringList calls;
    cindral::Outcome outcome = cindral::Outcome::Succeeded;
    std::optional<QByteArray> after; // std::nullopt: the file is left exactly as it was
    FileSetup setup = FileSetup::Writable;
    FileBox fileBox = FileBox::ChosenPath;
    std::exception_ptr thrown; // raised when the chosen file name is asked for
};

inline void PrintTo(const OperationCase& row, std::ostream* os)
{
    *os << row.name;
}

struct CaseRun
{
    cindral::Outcome outcome;
    QStringList calls;
    std::optional<QByteArray> bytesAfter; // std::nullopt when there is no file
};

using Operation = cindral::Outcome (*)(cindral::WindowServices&, cindral::OperationState&);

inline std::optional<QByteArray> bytesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot prepare " + path.toStdString());
    }
}

inline QString fileBoxText(FileBox box, const QString& path)
{
    switch (box) {
    case FileBox::ChosenPath:
        return path;
    case FileBox::Empty:
        return {};
    case FileBox::Blanks:
        return QStringLiteral("   ");
    case FileBox::HandTyped:
        return path + QStringLiteral(".typed");
    }
    return {};
}

inline CaseRun runCase(const OperationCase& row, Operation operation)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.txt"));
    if (row.setup != FileSetup::Missing) {
        writeBytes(path, row.before);
    }
    if (row.setup == FileSetup::ReadOnly) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    RecordingWindow window;
    window.password = row.password;
    window.fileBox = fileBoxText(row.fileBox, path);
    window.chosenFile = path;
    window.chosenFileFailure = row.thrown;
    cindral::OperationState state;
    const cindral::Outcome outcome = operation(window, state);
    if (row.fileBox == FileBox::HandTyped && QFile::exists(window.fileBox)) {
        throw std::runtime_error("the hand-typed file name was used");
    }
    return {outcome, window.calls, bytesOf(path)};
}

// Sequences of calls read as sums: begin + restore + box.
inline QStringList operator+(QStringList calls, const QString& call)
{
    calls << call;
    return calls;
}

// Whole sequences compare line by line, so a mismatch reads as a list of calls.
inline std::string lines(const QStringList& calls)
{
    return calls.join(QLatin1Char('\n')).toStdString();
}

// The calls in order, the outcome, and the file: as the row expects, or exactly as it was.
inline void expectCase(const OperationCase& row, Operation operation)
{
    const CaseRun run = runCase(row, operation);
    EXPECT_EQ(lines(run.calls), lines(row.calls));
    EXPECT_EQ(run.outcome, row.outcome);
    const std::optional<QByteArray> unchanged =
        row.setup == FileSetup::Missing ? std::nullopt : std::optional(row.before);
    EXPECT_EQ(run.bytesAfter, row.after ? row.after : unchanged);
}
