#include "app/QtTranslation.h"

#include <cstring>

namespace {

// Qt asks for these texts by a newer name than the one the Slovak catalogue
// keeps them under.
struct RenamedContext
{
    const char *asked;
    const char *filed;
};

constexpr RenamedContext kRenamedContexts[] = {
    {"QPlatformTheme", "QDialogButtonBox"},       // Áno, Nie, Zrušiť, Uložiť ...
    {"QAbstractFileIconProvider", "QFileDialog"}, // Priečinok, Súbor, Disková jednotka
};

} // namespace

QtTranslation::QtTranslation(QObject *parent) : QTranslator(parent) {}

bool QtTranslation::Load(const QStringList &folders)
{
    for (const QString &folder : folders)
        if (load(QStringLiteral("qtbase_sk"), folder))
            return true;
    return false;
}

QString QtTranslation::translate(const char *context, const char *sourceText, const char *disambiguation, int n) const
{
    const QString text = QTranslator::translate(context, sourceText, disambiguation, n);
    if (!text.isEmpty() || !context)
        return text;
    for (const RenamedContext &renamed : kRenamedContexts)
        if (std::strcmp(context, renamed.asked) == 0)
            return QTranslator::translate(renamed.filed, sourceText, disambiguation, n);
    return text;
}
