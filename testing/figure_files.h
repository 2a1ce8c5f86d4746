#pragma once

// Observation files made from figures, and the batch's results read back,
// for the tests that hand the batch command files and look at its rows.

#include "file_bytes.h"

#include "exact_text.h"
#include "records.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace korvane::testing {

inline const QString observationHeader = QStringLiteral("名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6\n");

// ",Xa,Ya,...,S6": the nine values of `o` as a surveyor types them, each
// after a comma, to follow a figure's name on its line
inline QString valuesText(const Observations& o)
{
    QString text;
    for (const double value : {o.Xa, o.Ya, o.Xc, o.Yc, o.S1, o.S2, o.S4, o.S5, o.S6})
        text += u',' + QString::fromStdString(typedText(value));
    return text;
}

// the rows of RESULTS.csv after its header, each as its cells
inline std::vector<QStringList> resultRows(const QString& path)
{
    std::vector<QStringList> rows;
    const QStringList lines = QString::fromUtf8(readFile(path)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i)
        rows.push_back(lines[i].split(u','));
    return rows;
}

} // namespace korvane::testing
