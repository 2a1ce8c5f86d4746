#pragma once

// A file's bytes put down and read back whole, for the tests that hand the
// program files of their own and look at what it wrote.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace korvane::testing {

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// empty when the file cannot be read
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace korvane::testing
