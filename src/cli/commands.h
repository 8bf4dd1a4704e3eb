// The commands of rqm27-cli and their dispatch.
#pragma once

#include "model/file_notes.h"

#include <QStringList>

namespace rqm27::cli {

// Runs the command the arguments name; returns the process's exit status.
int Run(const QStringList& args);

// Prints a one-line error on stderr and returns exit status 1.
int Fail(const QString& message);

// Prints what a file reader or writer noted about `path` on stderr, one line each: the first
// 20, then how many more.
void PrintNotes(const QString& path, const FileNotes& notes);

int Convert(const QStringList& args);
int Show(const QStringList& args);
int Diff(const QStringList& args);
int Simulate(const QStringList& args);
int Read(const QStringList& args);
int Write(const QStringList& args);
int Ports(const QStringList& args);

}  // namespace rqm27::cli
