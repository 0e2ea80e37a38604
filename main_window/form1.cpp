// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/form1.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "main_window/colours.hpp"
#include "main_window/drawn_controls.hpp"
#include "main_window/fonts.hpp"
#include "main_window/twips.hpp"
#include "numbers/number_text.hpp"
#include "runs/calculation.hpp"
#include "window_layout/form_layout.hpp"

namespace main_window {

namespace {

using namespace numbers;
using namespace runs;
using namespace window_layout;

constexpr FontChoice kWindowFont{Face::Dialog, 8};
constexpr int kTitleBarButtons = 4;  // the icon, and room for up to three buttons
constexpr double kTitleFontScale = 1.25;

void set_colours(QWidget* widget, const ControlPlacement& placement, QPalette::ColorRole background,
                 QPalette::ColorRole text)
{
    QPalette palette = widget->palette();
    if (placement.background.is_set()) palette.setColor(background, resolve(placement.background, palette));
    if (placement.text.is_set()) palette.setColor(text, resolve(placement.text, palette));
    widget->setPalette(palette);
}

bool has_font(const ControlPlacement& placement)
{
    return placement.font.face != Face::Dialog;
}

QWidget* make_control(const ControlPlacement& placement, QWidget* parent, QStyle* field_style)
{
    const QString caption = QString::fromUtf8(placement.caption);
    switch (placement.kind) {
    case Kind::Button: {
        auto* button = new QPushButton(caption, parent);
        // Enter presses the button that has the focus; outside a dialog
        // there is no default button, so Enter in a field runs nothing.
        button->setAutoDefault(true);
        return button;
    }
    case Kind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setAutoFillBackground(true);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop | (placement.right_aligned ? Qt::AlignRight : Qt::AlignLeft));
        label->setTextFormat(Qt::PlainText);
        set_colours(label, placement, QPalette::Window, QPalette::WindowText);
        return label;
    }
    case Kind::TextField: {
        auto* edit = new QLineEdit(parent);
        edit->setStyle(field_style);
        edit->setToolTip(caption);
        edit->setAccessibleName(caption);
        edit->setReadOnly(placement.read_only);
        set_colours(edit, placement, QPalette::Base, QPalette::Text);
        return edit;
    }
    case Kind::Frame:
        return new EtchedFrame(caption, parent);
    case Kind::Rectangle:
        return new RectangleShape(parent, resolve(placement.background, parent->palette()),
                                  resolve(placement.text, parent->palette()));
    }
    return nullptr;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kForm1.caption));
    setWindowIcon(QIcon(QStringLiteral(":/icons/calculator.xpm")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(make_font(kWindowFont));

    const double dpi = logicalDpiX();
    setFixedSize(twips_to_pixels(kForm1.client_width, dpi), twips_to_pixels(kForm1.client_height, dpi));
    build_controls(dpi);

    for (const FieldEntry& entry : kFieldSet)
        field(entry.field)->setText(QString::fromUtf8(entry.initial_text));
    connect(cmd_Calc_, &QPushButton::clicked, this, &Form1::cmd_Calc_Click);
    connect(Cmd_UM_, &QPushButton::clicked, this, &Form1::Cmd_UM_Click);
    Lbl_UM_->installEventFilter(this);
    field(Field::Nd)->setFocus();
}

void Form1::build_controls(double dpi)
{
    QHash<QString, QWidget*> containers{{QString(), this}};
    std::vector<std::pair<int, QWidget*>> focus_order;
    std::vector<QWidget*> painted_beneath;
    auto* field_style = new SunkenFieldStyle;
    field_style->setParent(this);
    for (const ControlPlacement& placement : form1_controls()) {
        QWidget* parent = containers.value(QString::fromUtf8(placement.parent ? placement.parent : ""));
        QWidget* control = make_control(placement, parent, field_style);
        control->setObjectName(QString::fromUtf8(placement.name));
        control->setGeometry(
            twips_to_pixels(placement.left, placement.top, placement.width, placement.height, dpi));
        if (has_font(placement)) control->setFont(make_font(placement.font));
        control->setVisible(!placement.hidden);
        if (placement.kind == Kind::Frame) containers.insert(control->objectName(), control);
        if (placement.kind == Kind::Label || placement.kind == Kind::Rectangle)
            painted_beneath.push_back(control);
        if (placement.tab >= 0) focus_order.emplace_back(placement.tab, control);
    }

    (new LineLayer(this, dpi))->lower();
    for (QWidget* control : painted_beneath)
        control->lower();

    std::sort(focus_order.begin(), focus_order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focus_order.size(); ++i)
        setTabOrder(focus_order[i - 1].second, focus_order[i].second);

    for (const FieldEntry& entry : kFieldSet)
        fields_[static_cast<std::size_t>(entry.field)] = findChild<QLineEdit*>(QString::fromUtf8(entry.name));
    cmd_Calc_ = findChild<QPushButton*>(QStringLiteral("cmd_Calc"));
    Cmd_UM_ = findChild<QPushButton*>(QStringLiteral("Cmd_UM"));
    Lbl_UM_ = findChild<QLabel*>(QStringLiteral("Lbl_UM"));
}

void Form1::cmd_Calc_Click()
{
    // The shared rules read and write UTF-8 with the locale's decimal mark.
    const char mark = readable_decimal_mark(QLocale().decimalPoint().toStdString());
    InputTexts texts;
    for (const section_inputs::InputEntry& input : section_inputs::kInputs)
        texts[section_inputs::index(input.input)] = field(field_of(input.input))->text().toStdString();
    const Calculation c = calculate(texts, mark);
    section_ = c.section;
    if (c.d_text) field(Field::D)->setText(QString::fromStdString(*c.d_text));
    if (c.checks_passed) {
        QLineEdit* edit = field(Field::Nd);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, c.axial_force_given ? this->palette().color(QPalette::Base)
                                                             : QColor(QRgb(kNoAxialForceBackground)));
        edit->setPalette(palette);
    }
    if (!c.result) {
        show_error(QString::fromStdString(c.message.title), QString::fromStdString(c.message.text));
        return;
    }
    field(Field::Mu)->setText(QString::fromStdString(number_to_text(c.result->Mu, mark)));
    field(Field::Yc)->setText(QString::fromStdString(number_to_text(c.result->Yc, mark)));
}

void Form1::Cmd_UM_Click()
{
    Lbl_UM_->setVisible(true);
    Cmd_UM_->setVisible(false);
}

void Form1::Lbl_UM_Click()
{
    Lbl_UM_->setVisible(false);
    Cmd_UM_->setVisible(true);
}

void Form1::show_error(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this);
    // A box sized to a short text would cut its own title: keep room for the
    // title in a title-bar face (bold, a size larger) beside the title bar's
    // icon and buttons.
    QFont title_font = box.font();
    title_font.setBold(true);
    title_font.setPointSizeF(title_font.pointSizeF() * kTitleFontScale);
    const QFontMetrics metrics(title_font);
    const int button_width = metrics.height() * 3 / 2;
    const int title_width = metrics.horizontalAdvance(title) + kTitleBarButtons * button_width;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(title_width, 0), grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Lbl_UM_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Lbl_UM_->rect().contains(mouse->position().toPoint())) {
            Lbl_UM_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace main_window
