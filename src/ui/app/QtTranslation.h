#pragma once

#include <QStringList>
#include <QTranslator>

// Qt's own texts in Slovak: standard buttons, file dialogs, the context menus
// of text fields. It reads Qt's Slovak catalogue and also finds the texts
// that the catalogue still files under the names Qt used to ask by.
class QtTranslation : public QTranslator
{
    Q_OBJECT

public:
    explicit QtTranslation(QObject *parent = nullptr);

    // Loads the catalogue from the first folder that has it; false when
    // none has.
    bool Load(const QStringList &folders);

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
};
