#pragma once
// Resize anchors (FIX_OBJ): on a sizable screen laid out by position, each registered control
// keeps the distances to the container's edges it had when registered, so a grid grows with the
// window and the buttons under it stay at the bottom.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <vector>

class QWidget;

namespace qz::gui {

enum AnchorMode {
    kAnchorAll = 1,          // keep all four margins: stretch both ways
    kAnchorLeftBottom = 2,   // keep left and bottom margins: move down
    kAnchorRightBottom = 3,  // keep right and bottom margins
    kAnchorRight = 4,        // keep the right margin: move horizontally only
    kAnchorWidth = 5,        // stretch horizontally keeping left and right margins
    kAnchorWidthBottom = 6,  // stretch horizontally and keep the bottom margin
    kAnchorSizeOf = 10,      // take the size of another control
};

class ResizeAnchors : public QObject {
public:
    explicit ResizeAnchors(QWidget& container);

    // Measures the control's margins now; `other` is the control whose size mode 10 copies.
    void FIX_OBJ(QWidget* control, int mode, QWidget* other = nullptr);
    // Places every anchored control for the container's current size (ONSIZE).
    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Anchor {
        QPointer<QWidget> control, other;
        int mode;
        int left, top, right, bottom;  // margins when registered
    };
    QWidget& m_container;
    std::vector<Anchor> m_anchors;
};

}  // namespace qz::gui
