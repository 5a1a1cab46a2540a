#include "config/UserDictionary.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "config/Config.h"

namespace {

QString CleanWord(const QString &word)
{
    return word.trimmed().section(QRegularExpression(QStringLiteral("\\s")), 0, 0);
}

} // namespace

std::string UserDictionary::Path()
{
    return QFileInfo(QString::fromStdString(ConfigFilePath())).absolutePath().toStdString() + "/" + kFileName;
}

QStringList UserDictionary::Words()
{
    QStringList words;
    QFile file(QString::fromStdString(Path()));
    if (!file.open(QIODevice::ReadOnly))
        return words;
    // A word a line: a file of any size is read only as far as a sane one goes.
    constexpr qint64 kMaxBytes = 4 * 1024 * 1024;
    const QStringList lines = QString::fromUtf8(file.read(kMaxBytes)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString word = CleanWord(line);
        if (!word.isEmpty() && !words.contains(word))
            words << word;
    }
    return words;
}

bool UserDictionary::Add(const QString &word)
{
    const QString clean = CleanWord(word);
    if (clean.isEmpty())
        return false;
    if (Words().contains(clean))
        return true;
    QFile file(QString::fromStdString(Path()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray line = clean.toUtf8() + '\n';
    return file.write(line) == line.size();
}
