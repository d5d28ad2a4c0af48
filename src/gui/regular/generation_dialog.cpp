#include "gui/regular/generation_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "gui/framework/date_keys.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace dr = qz::domain::regular;

std::string count_text(long count) {
    return trim(pic_format(Decimal(static_cast<long long>(count)), "999,999,999"));
}
std::string total_text(const Decimal& total) {
    return trim(pic_format(total, "99,999,999,999.99"));
}

namespace {

// A whole number typed in a small field; blank is 0, anything else is refused.
std::optional<int> whole_number(const QLineEdit* e) {
    bool ok = true;
    const QString t = e->text().trimmed();
    const int n = t.isEmpty() ? 0 : t.toInt(&ok);
    if (!ok || n < 0) return std::nullopt;
    return n;
}

class GenerationDialog : public DIALOG_BOX {
public:
    GenerationDialog(QWidget* owner, data::Db& db, const std::string& business,
                     const dr::RunRequest& base)
        : DIALOG_BOX("GFAC_PRO", owner), m_db(db), m_business(business), m_base(base) {}

    bool Init() override {
        const dr::RegularSettings s = dr::read_regular_settings(m_db, m_business);
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        m_date = field(kProDate, "");
        put_field_date(*m_date, m_base.application);
        attach_date_keys(m_date);
        form->addRow("Fecha de Aplicación:", m_date);
        m_years = field(kProYears, std::to_string(s.advance.years));
        m_months = field(kProMonths, std::to_string(s.advance.months));
        m_days = field(kProDays, std::to_string(s.advance.days));
        form->addRow("Años a sumar:", m_years);
        form->addRow("Meses a sumar:", m_months);
        form->addRow("Días a sumar:", m_days);
        m_emissions = field(kProEmissions, "1");
        m_emissions->setEnabled(m_base.mode == dr::RunMode::Customer);
        QObject::connect(m_emissions, &QLineEdit::textChanged, this, [this] { show_total(); });
        form->addRow("Emisiones:", m_emissions);
        m_description = field(kProDescription, "");
        form->addRow("Descripción:", m_description);
        m_template = Add(new QComboBox(this), kProTemplate);
        m_template->addItem("(la de cada documento)", "");
        for (const auto& h : dr::model_headers(m_db, dr::kTemplates, m_business))
            m_template->addItem(QString::fromStdString(h.number), QString::fromStdString(h.number));
        QObject::connect(m_template, &QComboBox::currentIndexChanged, this, [this] { preview(); });
        form->addRow("Plantilla:", m_template);
        m_print = Add(new QCheckBox("Imprimir documentos", this), kProPrint);
        m_validate = Add(new QCheckBox("Validar fecha de corte", this), kProValidate);
        m_validate->setChecked(m_base.validate_cut_off);
        form->addRow(m_print);
        form->addRow(m_validate);
        m_count = Add(new QLabel(this), kProCount);
        m_total = Add(new QLabel(this), kProTotal);
        form->addRow("Documentos:", m_count);
        form->addRow("Total:", m_total);
        layout->addLayout(form);
        auto* b = new QHBoxLayout;
        b->addStretch();
        b->addWidget(Add(new QPushButton("Procesar", this), kCmdOk));
        b->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(b);
        Text("Generación de Facturas Regulares");
        preview();
        return true;
    }

    void OK() override {
        const auto request = typed();
        if (!request) return;
        m_choice = GenerationChoice{*request, m_print->isChecked()};
        EndDialog(kCmdOk);
    }

    std::optional<GenerationChoice> m_choice;

private:
    QLineEdit* field(int id, const std::string& text) {
        auto* e = Add(new QLineEdit(QString::fromStdString(text), this), id);
        return e;
    }

    void refuse(const std::string& text) {
        MESSAGE_BOX(this, text, "Atencion", kMbOk | kMbIconExclamation);
    }

    std::optional<dr::RunRequest> typed() {
        dr::RunRequest r = m_base;
        const auto date = field_date(*m_date);
        if (!date || date->empty()) return refuse("Digite la fecha de aplicación"), std::nullopt;
        const auto y = whole_number(m_years), m = whole_number(m_months), d = whole_number(m_days);
        const auto e = whole_number(m_emissions);
        if (!y || !m || !d)
            return refuse("El avance de la fecha de corte no es válido"), std::nullopt;
        if (!e || *e < 1) return refuse("El número de emisiones no es válido"), std::nullopt;
        r.application = *date;
        r.advance = {*y, *m, *d};
        r.emissions = *e;
        r.description = trim(m_description->text().toStdString());
        r.template_code = m_template->currentData().toString().toStdString();
        r.validate_cut_off = m_validate->isChecked();
        return r;
    }

    void preview() {
        dr::RunRequest r = m_base;
        r.template_code = m_template ? m_template->currentData().toString().toStdString() : "";
        m_preview = dr::preview_run(m_db, m_business, r);
        m_count->setText(QString::fromStdString(count_text(m_preview.count)));
        show_total();
    }

    void show_total() {
        const auto e = whole_number(m_emissions);
        const int n = m_base.mode == dr::RunMode::Customer ? std::max(e.value_or(1), 1) : 1;
        m_total->setText(QString::fromStdString(total_text(m_preview.total(n))));
    }

    data::Db& m_db;
    std::string m_business;
    dr::RunRequest m_base;
    dr::RunPreview m_preview;
    QLineEdit *m_date = nullptr, *m_years = nullptr, *m_months = nullptr, *m_days = nullptr,
              *m_emissions = nullptr, *m_description = nullptr;
    QComboBox* m_template = nullptr;
    QCheckBox *m_print = nullptr, *m_validate = nullptr;
    QLabel *m_count = nullptr, *m_total = nullptr;
};

}  // namespace

std::optional<GenerationChoice> run_generation_dialog(QWidget* owner, data::Db& db,
                                                      const std::string& business,
                                                      const dr::RunRequest& base) {
    GenerationDialog d(owner, db, business, base);
    if (d.run() != kCmdOk) return std::nullopt;
    return d.m_choice;
}

}  // namespace qz::gui
