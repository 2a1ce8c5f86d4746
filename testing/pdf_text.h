#pragma once

// What a reader of a PDF file finds in it, through poppler-utils: its text,
// page by page as pdftotext lays it out, and what pdfinfo says of it.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace korvane::testing {

// the standard output of `program` once it has ended
inline QString outputOf(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString() << " (poppler-utils) did not run";
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the PDF, or of its page `page` (from 1; 0: the whole file),
// laid out as on the page.
inline QString pdfText(const QString& path, int page = 0)
{
    QStringList arguments{"-layout", path, "-"};
    if (page > 0)
        arguments = QStringList{"-f", QString::number(page), "-l", QString::number(page)} + arguments;
    return outputOf("pdftotext", arguments);
}

// The same as a reader copies it, one string a line, blanks collapsed, empty
// lines left out.
inline QStringList pdfLines(const QString& path, int page = 0)
{
    QStringList lines;
    for (const QString& line : pdfText(path, page).split('\n'))
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    return lines;
}

// a field of pdfinfo's answer ("Pages", "Title"), trimmed
inline QString pdfInfo(const QString& path, const QString& field)
{
    const QRegularExpression row("^" + field + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    return row.match(outputOf("pdfinfo", {path})).captured(1).trimmed();
}

inline int pdfPageCount(const QString& path)
{
    return pdfInfo(path, "Pages").toInt();
}

} // namespace korvane::testing
