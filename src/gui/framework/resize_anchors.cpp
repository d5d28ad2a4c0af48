#include "gui/framework/resize_anchors.h"

#include <QEvent>
#include <QWidget>

namespace qz::gui {

ResizeAnchors::ResizeAnchors(QWidget& container) : QObject(&container), m_container(container) {
    container.installEventFilter(this);
}

void ResizeAnchors::FIX_OBJ(QWidget* control, int mode, QWidget* other) {
    const QRect g = control->geometry();
    const QSize c = m_container.size();
    m_anchors.push_back({control, other, mode, g.left(), g.top(), c.width() - g.right() - 1,
                         c.height() - g.bottom() - 1});
}

void ResizeAnchors::apply() {
    const int w = m_container.width(), h = m_container.height();
    for (const auto& a : m_anchors) {
        if (!a.control) continue;
        QRect g = a.control->geometry();
        const int stretched_width = w - a.left - a.right;
        const int kept_bottom_top = h - a.bottom - g.height();
        switch (a.mode) {
            case kAnchorAll:
                g = QRect(a.left, a.top, stretched_width, h - a.top - a.bottom);
                break;
            case kAnchorLeftBottom:
                g.moveTo(a.left, kept_bottom_top);
                break;
            case kAnchorRightBottom:
                g.moveTo(w - a.right - g.width(), kept_bottom_top);
                break;
            case kAnchorRight:
                g.moveLeft(w - a.right - g.width());
                break;
            case kAnchorWidth:
                g.setWidth(stretched_width);
                break;
            case kAnchorWidthBottom:
                g.setWidth(stretched_width);
                g.moveTop(kept_bottom_top);
                break;
            case kAnchorSizeOf:
                if (a.other) g.setSize(a.other->size());
                break;
        }
        a.control->setGeometry(g);
    }
}

bool ResizeAnchors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_container && event->type() == QEvent::Resize) apply();
    return false;
}

}  // namespace qz::gui
