#pragma once

// Header only: it needs QtGui, which the tests of the core do not link.

#include <QStringList>
#include <QTextDocument>
#include <QUrl>

// What a tool tip text looks like on screen: Qt's tool tip label shows it as
// rich text when Qt::mightBeRichText says so, else as it is. shown is the
// text a reader sees (a picture is U+FFFC), loads every resource (image,
// style sheet) that showing it asked for.
struct RenderedToolTip
{
    QString shown;
    QStringList loads;

    explicit RenderedToolTip(const QString &toolTip)
    {
        struct RecordingDocument : QTextDocument
        {
            QStringList *loads = nullptr;
            QVariant loadResource(int, const QUrl &name) override
            {
                *loads << name.toString();
                return {}; // nothing is read
            }
        } document;
        document.loads = &loads;
        if (Qt::mightBeRichText(toolTip))
            document.setHtml(toolTip);
        else
            document.setPlainText(toolTip);
        document.setTextWidth(400);
        document.size(); // lays out, which fetches the images
        shown = document.toPlainText();
    }
};
