#include "gui/session/login_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPropertyAnimation>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "gui/framework/masked_edit.h"
#include "gui/session/session_fields.h"

namespace qz::gui {

using domain::LoginOutcome;

namespace {

constexpr QSize kPictureSize(440, 112);
constexpr int kFadeMs = 300;

// The system's name on a quiet sea-green ground, for installations without a logo of their own.
QPixmap drawn_title(const QFont& base) {
    QPixmap pixmap(kPictureSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect all(QPoint(0, 0), kPictureSize);
    QLinearGradient ground(all.topLeft(), all.bottomRight());
    ground.setColorAt(0.0, QColor(31, 74, 84));
    ground.setColorAt(1.0, QColor(84, 138, 134));
    p.fillRect(all, ground);

    // Ripples spreading from the lower right corner, faint enough to stay behind the name.
    p.setPen(QPen(QColor(255, 255, 255, 34), 1.4));
    const QPointF centre(all.width() - 70, all.height() + 6);
    for (int r = 34; r <= 184; r += 30) p.drawEllipse(centre, r, r * 0.5);

    QFont title = base;
    title.setPixelSize(34);
    title.setWeight(QFont::Light);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 7);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(30, 20, all.width() - 60, 44), Qt::AlignLeft | Qt::AlignVCenter, "QUARTZEN");

    QFont sub = base;
    sub.setPixelSize(14);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 11);
    p.setFont(sub);
    p.setPen(QColor(208, 232, 226));
    const QRect spa(33, 68, 120, 20);
    p.drawText(spa, Qt::AlignLeft | Qt::AlignVCenter, "SPA");
    const int line_from = 33 + QFontMetrics(sub).horizontalAdvance("SPA") + 8;
    p.setPen(QPen(QColor(208, 232, 226, 150), 1));
    p.drawLine(line_from, spa.center().y() + 1, line_from + 150, spa.center().y() + 1);
    return pixmap;
}

// The installation's logo, made to fit the picture area when it is larger; null when absent.
QPixmap installation_logo(const std::string& home) {
    const auto path = std::filesystem::path(home) / "BMP" / "LOGO32.BMP";
    QPixmap logo;
    if (!logo.load(QString::fromStdString(path.string()))) return {};
    const QSize room = kPictureSize - QSize(16, 16);
    if (logo.width() > room.width() || logo.height() > room.height())
        logo = logo.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return logo;
}

}  // namespace

LoginDialog::LoginDialog(const SessionContext& context, LoginOptions options, QWidget* owner)
    : CredentialsDialog("XLOGINUSR", owner),
      m_login(context.login()),
      m_home(context.db.home()),
      m_options(std::move(options)) {}

LoginOutcome LoginDialog::Login() {
    run();
    return outcome();
}

bool LoginDialog::Init() {
    Text("Acceso a Quartzen");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->addWidget(make_picture());

    auto* body = new QVBoxLayout;
    body->setContentsMargins(28, 20, 28, 18);
    body->setSpacing(10);
    auto* form = session_form();
    m_business = Add(new QComboBox(this), 601);
    form->addRow("Empresa:", m_business);
    add_credentials(form);
    body->addLayout(form);
    if (QLabel* server = make_server_line()) body->addWidget(server);
    add_dialog_buttons(*this, this, body);
    outer->addLayout(body);

    fill_businesses();
    m_name->setFocus(Qt::OtherFocusReason);

    m_exit_timer = new QTimer(this);
    m_exit_timer->setInterval(m_options.exit_check);
    connect(m_exit_timer, &QTimer::timeout, this, [this] { check_exit_request(); });
    m_exit_timer->start();
    if (m_options.fade_in) setWindowOpacity(0.0);
    return true;
}

QWidget* LoginDialog::make_picture() {
    auto* picture = new QLabel(this);
    picture->setObjectName("picture");
    picture->setFixedSize(kPictureSize);
    picture->setAlignment(Qt::AlignCenter);
    const QPixmap logo = installation_logo(m_home);
    if (logo.isNull()) {
        picture->setPixmap(drawn_title(font()));
    } else {
        // A logo is drawn for a light ground; it gets one whatever the window colour is.
        picture->setAutoFillBackground(true);
        QPalette light = picture->palette();
        light.setColor(QPalette::Window, Qt::white);
        picture->setPalette(light);
        picture->setPixmap(logo);
    }
    return picture;
}

QLabel* LoginDialog::make_server_line() {
    if (!m_options.server_info) return nullptr;
    const std::optional<LoginServerInfo> info = m_options.server_info();
    if (!info) return nullptr;
    auto* line = new QLabel(QString("Sesiones: %1     Versión: %2")
                                .arg(info->sessions)
                                .arg(QString::fromStdString(info->version)),
                            this);
    line->setObjectName("server_info");
    line->setForegroundRole(QPalette::PlaceholderText);
    return line;
}

void LoginDialog::fill_businesses() {
    const auto list = m_login.businesses();
    for (const auto& b : list)
        m_business->addItem(QString::fromStdString(b.name), QString::fromStdString(b.code));
    if (!list.empty()) m_business->setCurrentIndex(static_cast<int>(m_login.preselected(list)));
}

void LoginDialog::showEvent(QShowEvent* e) {
    CredentialsDialog::showEvent(e);
    if (!m_options.fade_in || e->spontaneous()) return;
    auto* fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(kFadeMs);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

LoginOutcome LoginDialog::attempt(const std::string& name, const std::string& password) {
    std::optional<std::string> business;
    if (m_business->currentIndex() >= 0)
        business = m_business->currentData().toString().toStdString();
    return m_login.submit(business, name, password);
}

void LoginDialog::check_exit_request() {
    // A verification under way finishes first: it may already have opened the session.
    if (attempting() || !m_login.interrupted()) return;
    m_interrupted = true;
    m_exit_timer->stop();
    close_with(LoginOutcome::Abandoned);
}

}  // namespace qz::gui
