#pragma once

#include <QGraphicsView>

class QGraphicsProxyWidget;
class QScreen;

// Shows a window's whole content full screen for a projector, or in a window
// larger than its own: scaled by one factor, the largest that fits, and
// centred on black. Text is
// drawn at the scaled size and pictures are scaled smoothly; clicks, mouse
// moves and keys reach the controls at their scaled places.
class ScaledView : public QGraphicsView {
public:
    // content is a window of its own; it is shown inside the view while the
    // view lives, and is a window of its own again (hidden) afterwards.
    explicit ScaledView(QWidget *content);
    ~ScaledView() override;

    // Shows the view full screen on screen.
    void showOn(QScreen *screen);
    // Whether showOn() showed it (a window resized since stays full screen
    // for the program, whatever the window system says).
    bool shownFullScreen() const { return m_fullScreen; }

    // The factor the content is shown at.
    qreal factor() const { return transform().m11(); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *m_content;
    QGraphicsProxyWidget *m_proxy;
    bool m_fullScreen = false;
};
