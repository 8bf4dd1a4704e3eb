// The commands of rqm27-cli and their dispatch. Each command takes its arguments without its
// own name and returns the process's exit status.
#pragma once

#include "model/file_notes.h"

#include <QStringList>

namespace rqm27::cli {

// The exit statuses every command keeps (diff and verify say "different" with Failure).
enum ExitStatus : int { Success = 0, Failure = 1, UsageError = 2 };

// Runs the command the arguments name.
int Run(const QStringList& args);

// Prints a one-line error on stderr and returns Failure.
int Fail(const QString& message);

// Prints a one-line usage error of `command` on stderr, pointing to its help, and returns
// UsageError.
int FailUsage(const QString& command, const QString& message);

// Prints what a file reader or writer noted about `path` on stderr, one line each: the first
// 20, then how many more.
void PrintNotes(const QString& path, const FileNotes& notes);

int Convert(const QStringList& args);
int Show(const QStringList& args);
int Diff(const QStringList& args);
int Simulate(const QStringList& args);
int Read(const QStringList& args);
int Write(const QStringList& args);
int Verify(const QStringList& args);
int Ports(const QStringList& args);

}  // namespace rqm27::cli
