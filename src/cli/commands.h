// The subcommands of lumora-cli. Each returns the process exit status:
// 0 success, 1 the computation could not give an answer, 2 bad arguments.
#pragma once

#include <QByteArrayList>
#include <QTextStream>

namespace lumora::cli {

int runPosition(const QByteArrayList &words, QTextStream &out, QTextStream &err);
int runSurvey(const QByteArrayList &words, QTextStream &out, QTextStream &err);
int runSearch(const QByteArrayList &words, QTextStream &out, QTextStream &err);
} // namespace lumora::cli
