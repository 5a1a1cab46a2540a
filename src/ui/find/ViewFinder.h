// The hits of a find pattern in one text view, kept up to date as lines come and go.
#pragma once

#include "find/FindPattern.h"

#include <QObject>
#include <QPointer>

#include <vector>

class TextView;

// Marks every hit of a pattern in the whole text of a view (the view's own
// lines, whatever put them there) and moves a current hit through them.
// New lines are searched as they are written; hits of lines that go past the
// text limit go with them (the view moves the marks). Only the text of the
// lines is searched, never their HTML.
class ViewFinder : public QObject
{
    Q_OBJECT
public:
    explicit ViewFinder(TextView *view, QObject *parent = nullptr);
    ~ViewFinder() override;

    // Marks the hits of pattern anew. The current hit is the last one that
    // starts on or above the lowest line on screen (what the reader just
    // read), else the first one; the view scrolls to it.
    void SetPattern(const FindPattern &pattern);
    const FindPattern &Pattern() const { return m_pattern; }
    // Forgets the pattern and every mark, and stops following the view.
    void Stop();

    int Count() const;
    // The number of the current hit from 1, 0 for none.
    int CurrentNumber() const;
    // The next (later) or previous hit becomes the current one, from the
    // last hit to the first and back; the view scrolls to it.
    void Next();
    void Previous();

signals:
    // The hits or the current hit changed.
    void hitsChanged();

private:
    void searchLinesFrom(int firstLine);
    void linesWritten(int firstChanged);
    void linesErased();
    void makeCurrent(int index);
    int hitAboveScreenBottom() const;

    QPointer<TextView> m_view;
    FindPattern m_pattern;
    std::vector<FoundText> m_found; // reused for every line
    bool m_following = false;
};
