#pragma once

#include <QString>
#include <QStringList>

#include <string>

// The words the user added to the spell checker ("Pridať do slovníka"): one
// word a line in a UTF-8 file beside brimo.conf, for every language. The
// only reader and writer of that file.
class UserDictionary
{
public:
    static constexpr const char *kFileName = "user-dictionary.txt";

    // The file beside brimo.conf.
    static std::string Path();
    // The words of the file (none when it is missing), without blanks or repeats.
    static QStringList Words();
    // Appends the word (once; blanks and line breaks are no part of a word);
    // false when it cannot be written.
    static bool Add(const QString &word);
};
