#pragma once
// The guest's signature for a room charge (FIRMA_RG, layout "FIRMA_RG2"): a pad drawn on with
// the mouse or a pen tablet. The picture is saved as a PNG in the installation's FIRMAS3 folder
// and its file name kept in the first free FIRMA1..FIRMA8 of the guest's reservation room line.
#include <QImage>
#include <QWidget>
#include <optional>
#include <string>

#include "data/db.h"

namespace qz::gui {

struct SignatureTarget {
    std::string business;
    std::string account;  // the reservation, or the master account
    std::string room;
    std::string room_type;
    long item = 0;
    bool master = false;  // a master account has no room line: the file stays with the tender
};

// The file name saved (without folder), or nothing when the window was cancelled.
std::optional<std::string> capture_signature(QWidget* owner, data::Db& db,
                                             const SignatureTarget& target);

// The drawing surface: strokes of the mouse's left button or of a pen, on white.
class SignaturePad : public QWidget {
    Q_OBJECT
public:
    explicit SignaturePad(QWidget* parent = nullptr);
    void clear();
    bool empty() const { return m_empty; }
    const QImage& image() const { return m_image; }
    // A stroke through these points, as the pointer would draw it.
    void stroke(const std::vector<QPoint>& points);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void tabletEvent(QTabletEvent* e) override;

private:
    void line_to(const QPoint& p, qreal pressure);
    QImage m_image;
    QPoint m_last;
    bool m_empty = true;
};

namespace firma_rg {
enum : int { kPad = 500, kClear = 201 };
}  // namespace firma_rg

}  // namespace qz::gui
