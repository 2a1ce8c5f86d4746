#pragma once

// Qt's own words in simplified Chinese, like every other text of Korvane,
// whatever the desktop's language: the menu of a text field, the tools of
// the file dialog and of the print preview, the help of the command line.
// Without the translations installed they stay in English.

#include <QTranslator>

namespace korvane {

// Installs the words in the running application for as long as it lives.
class QtChineseWords {
public:
    QtChineseWords();

    QtChineseWords(const QtChineseWords&) = delete;
    QtChineseWords& operator=(const QtChineseWords&) = delete;

private:
    QTranslator translator_; // leaves the application as it is destroyed
};

} // namespace korvane
