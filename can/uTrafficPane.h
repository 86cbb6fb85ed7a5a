#pragma once
// A read-only pane of traffic lines that turns into text only the lines it paints or copies.
// Whole lines are selected with the mouse (Shift extends) and copied with Ctrl+C or the
// context menu.

#include "can/uTrafficRing.h"

#include <QAbstractScrollArea>

class TTrafficPane : public QAbstractScrollArea
{
    Q_OBJECT
public:
    TTrafficPane(int capacity, QWidget *parent = nullptr);

    void AddFrame(const char *prefix, const TPCANMsg &message) { m_lines.PushFrame(prefix, message); }
    void AddText(const QString &text) { m_lines.PushText(text); }
    // Shows what was added since the last call; the view follows the newest line if it was
    // at the end, otherwise it stays on the lines it showed while they are kept.
    void ShowNewLines();

    const TTrafficRing &Lines() const { return m_lines; }
    QString toPlainText() const;
    QString SelectedText() const;
    void Copy() const;
    void SelectAll();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int LineHeight() const;
    int VisibleRows() const;
    void UpdateScrollRanges();
    quint64 NumberAt(int y) const;
    // The selected rows, first and last; empty when nothing kept is selected.
    bool SelectedRows(int &first, int &last) const;
    QString JoinedLines(int first, int last) const;

    TTrafficRing m_lines;
    quint64 m_shownFirst = 0;  // the ring's first line number when the view was last updated
    // Selection by line numbers, so that it stays on its lines while older ones are dropped.
    bool m_selecting = false;
    quint64 m_anchor = 0;
    quint64 m_cursor = 0;
};
