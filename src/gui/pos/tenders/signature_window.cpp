#include "gui/pos/tenders/signature_window.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabletEvent>
#include <QVBoxLayout>
#include <cctype>

#include "core/text.h"
#include "domain/pos/room_selection.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/pos/tenders/ok_dialog.h"

namespace qz::gui {

using namespace firma_rg;

SignaturePad::SignaturePad(QWidget* parent) : QWidget(parent) {
    setMinimumSize(480, 180);
    setAttribute(Qt::WA_StaticContents);
    setCursor(Qt::CrossCursor);
}

void SignaturePad::clear() {
    m_image.fill(Qt::white);
    m_empty = true;
    update();
}

void SignaturePad::resizeEvent(QResizeEvent*) {
    if (m_image.size() == size()) return;
    QImage bigger(size().expandedTo(m_image.size()), QImage::Format_RGB32);
    bigger.fill(Qt::white);
    QPainter(&bigger).drawImage(0, 0, m_image);
    m_image = bigger;
}

void SignaturePad::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_image);
    p.setPen(QPen(Qt::lightGray, 1, Qt::DashLine));
    p.drawLine(20, height() - 30, width() - 20, height() - 30);
}

void SignaturePad::line_to(const QPoint& to, qreal pressure) {
    QPainter p(&m_image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5 + 2.5 * pressure, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(m_last, to);
    m_last = to;
    m_empty = false;
    update();
}

void SignaturePad::stroke(const std::vector<QPoint>& points) {
    if (points.empty()) return;
    m_last = points.front();
    for (const auto& pt : points) line_to(pt, 0.5);
}

void SignaturePad::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) m_last = e->position().toPoint();
}

void SignaturePad::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() & Qt::LeftButton) line_to(e->position().toPoint(), 0.5);
}

// A pen reports its pressure: the line follows it, as on paper.
void SignaturePad::tabletEvent(QTabletEvent* e) {
    const QPoint at = e->position().toPoint();
    if (e->type() == QEvent::TabletPress)
        m_last = at;
    else if (e->type() == QEvent::TabletMove && e->pressure() > 0)
        line_to(at, e->pressure());
    e->accept();
}

namespace {

QString signature_folder(data::Db& db) {
    const QString dir = QDir(QString::fromStdString(db.home())).filePath("FIRMAS3");
    QDir().mkpath(dir);
    return dir;
}

std::string file_name(const SignatureTarget& t) {
    const std::string stamp =
        QDateTime::currentDateTime().toString("yyyyMMddHHmmsszzz").toStdString();
    std::string who = upper_ascii(trim(t.account) + "_" + trim(t.room));
    for (char& c : who)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
    return who + "_" + stamp + ".PNG";
}

}  // namespace

std::optional<std::string> capture_signature(QWidget* owner, data::Db& db,
                                             const SignatureTarget& target) {
    SignaturePad* pad = nullptr;
    std::optional<std::string> out;
    const auto take = [&](DIALOG_BOX& self) {
        if (pad->empty()) {
            MESSAGE_BOX(&self, "Falta la firma del huésped", "Atencion",
                        kMbOk | kMbIconExclamation);
            return;
        }
        const std::string name = file_name(target);
        const QString path = QDir(signature_folder(db)).filePath(QString::fromStdString(name));
        if (!pad->image().save(path, "PNG")) {
            MESSAGE_BOX(&self, "No se pudo guardar la firma en " + path.toStdString(), "Error",
                        kMbOk | kMbIconStop);
            return;
        }
        if (!target.master && !domain::pos::store_signature(db, target.business, target.account,
                                                            target.room_type, target.item, name))
            MESSAGE_BOX(&self,
                        "La habitación ya tiene ocho firmas registradas: la firma queda solo "
                        "con la Forma de Pago",
                        "Atencion", kMbOk | kMbIconExclamation);
        out = name;
        self.EndDialog(kCmdOk);
    };
    const std::string heading = std::string("Firma del huésped - ") +
                                (target.master ? "Cuenta Maestra " : "Habitación ") +
                                trim(target.room);
    OkDialog d{"FIRMA_RG2",
               "Firma",
               560,
               320,
               [&](DIALOG_BOX& self, QVBoxLayout& layout) {
                   layout.addWidget(new QLabel(QString::fromStdString(heading), &self));
                   pad = self.Add(new SignaturePad(&self), kPad);
                   layout.addWidget(pad, 1);
                   layout.addWidget(
                       self.Add(new QPushButton("Borrar", &self), kClear, [&pad] { pad->clear(); }),
                       0, Qt::AlignLeft);
               },
               take};
    run_ok_dialog(owner, d);
    return out;
}

}  // namespace qz::gui
