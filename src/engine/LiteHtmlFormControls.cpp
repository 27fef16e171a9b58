#include "engine/LiteHtmlFormControls.h"

#include "engine/LiteHtmlContainer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QString attribute(const litehtml::element::ptr& element, const char* name)
{
    const char* value = element->get_attr(name);
    return value ? QString::fromUtf8(value) : QString();
}

QString textOf(const litehtml::element::ptr& element)
{
    litehtml::tstring text;
    element->get_text(text);
    return QString::fromStdString(text).simplified();
}

QRect boxOf(const litehtml::element::ptr& element)
{
    const litehtml::position place = element->get_placement();
    return QRect(place.x, place.y, place.width, place.height);
}

QWidget* makeInput(const litehtml::element::ptr& element, QWidget* parent)
{
    const QString type = attribute(element, "type").trimmed().toLower();
    const QString value = attribute(element, "value");
    const bool checked = element->get_attr("checked") != nullptr;
    if (type == QLatin1String("hidden")) {
        return nullptr;
    }
    if (type == QLatin1String("checkbox") || type == QLatin1String("radio")) {
        QAbstractButton* box = type == QLatin1String("radio")
                                   ? static_cast<QAbstractButton*>(new QRadioButton(parent))
                                   : new QCheckBox(parent);
        box->setChecked(checked);
        return box;
    }
    if (type == QLatin1String("submit") || type == QLatin1String("reset") ||
        type == QLatin1String("button") || type == QLatin1String("image")) {
        QString label = value;
        if (label.isEmpty()) {
            label =
                type == QLatin1String("reset") ? QStringLiteral("Reset") : QStringLiteral("Submit");
        }
        return new QPushButton(type == QLatin1String("image") ? QString() : label, parent);
    }
    auto* field = new QLineEdit(value, parent);
    if (type == QLatin1String("password")) {
        field->setEchoMode(QLineEdit::Password);
    }
    bool ok = false;
    const int length = attribute(element, "maxlength").toInt(&ok);
    if (ok && length > 0) {
        field->setMaxLength(length);
    }
    return field;
}

bool declares(const litehtml::element::ptr& element, const char* property)
{
    return element->get_style_property(property, false, nullptr) != nullptr;
}

QColor colourOf(const litehtml::web_color& colour)
{
    return QColor(colour.red, colour.green, colour.blue, colour.alpha);
}

// A control takes the font, colour and background the page gives the field
// itself; like a browser's, it does not take the text's look around it.
void styleFrom(const litehtml::element::ptr& element, QWidget* widget)
{
    if (declares(element, "font-family") || declares(element, "font-size") ||
        declares(element, "font-weight") || declares(element, "font-style")) {
        widget->setFont(LiteHtmlContainer::FontOf(element->get_font()));
    }
    QPalette colours = widget->palette();
    if (declares(element, "color")) {
        const QColor text = colourOf(element->get_color("color", false));
        for (const QPalette::ColorRole role :
             {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
            colours.setColor(role, text);
        }
    }
    const litehtml::background* background = element->get_background(true);
    if (background && background->m_color.alpha > 0) {
        const QColor face = colourOf(background->m_color);
        colours.setColor(QPalette::Base, face);
        colours.setColor(QPalette::Button, face);
    }
    widget->setPalette(colours);
}

bool isField(const litehtml::element::ptr& element)
{
    const char* tag = element->get_tagName();
    return tag && (qstricmp(tag, "input") == 0 || qstricmp(tag, "select") == 0 ||
                   qstricmp(tag, "textarea") == 0 || qstricmp(tag, "button") == 0);
}

// The form fields below an element in document order, at most kMaxControls.
void collectFields(const litehtml::element::ptr& element, litehtml::elements_vector& fields)
{
    for (size_t i = 0; i < element->get_children_count(); ++i) {
        if (fields.size() >= size_t(LiteHtmlFormControls::kMaxControls)) {
            return;
        }
        const litehtml::element::ptr child = element->get_child(int(i));
        if (isField(child)) {
            fields.push_back(child);
        } else {
            collectFields(child, fields);
        }
    }
}

litehtml::elements_vector fieldsOf(const litehtml::element::ptr& root)
{
    litehtml::elements_vector fields;
    collectFields(root, fields);
    return fields;
}

} // namespace

void LiteHtmlFormControls::build(const litehtml::document::ptr& document, QWidget* parent,
                                 bool widgets)
{
    clear();
    if (!document || !document->root()) {
        return;
    }
    for (const litehtml::element::ptr& element : fieldsOf(document->root())) {
        Control control;
        control.element = element;
        const QString tag = QString::fromUtf8(element->get_tagName()).toLower();
        if (tag == QLatin1String("select")) {
            control.list = readList(element);
        } else {
            control.list.kind = tag;
        }
        if (widgets) {
            control.widget = makeWidget(element, control.list, parent);
        }
        controls_.append(control);
    }
}

QWidget* LiteHtmlFormControls::makeWidget(const litehtml::element::ptr& element,
                                          const FormControl& list, QWidget* parent)
{
    const QString tag = QString::fromUtf8(element->get_tagName()).toLower();
    QWidget* widget = nullptr;
    if (tag == QLatin1String("input")) {
        widget = makeInput(element, parent);
    } else if (tag == QLatin1String("textarea")) {
        widget = new QPlainTextEdit(textOf(element), parent);
    } else if (tag == QLatin1String("button")) {
        widget = new QPushButton(textOf(element), parent);
    } else if (element->get_attr("multiple") || attribute(element, "size").toInt() > 1) {
        auto* box = new QListWidget(parent);
        box->addItems(list.items);
        box->setSelectionMode(element->get_attr("multiple") ? QAbstractItemView::MultiSelection
                                                            : QAbstractItemView::SingleSelection);
        box->setCurrentRow(list.selectedIndex);
        widget = box;
    } else {
        auto* box = new QComboBox(parent);
        box->addItems(list.items);
        box->setCurrentIndex(list.selectedIndex);
        widget = box;
    }
    if (widget) {
        styleFrom(element, widget);
        widget->show();
    }
    return widget;
}

FormControl LiteHtmlFormControls::readList(const litehtml::element::ptr& select)
{
    FormControl list;
    list.name = attribute(select, "name");
    for (const litehtml::element::ptr& option : select->select_all("option")) {
        if (option->get_attr("selected")) {
            list.selectedIndex = int(list.items.size());
        }
        list.items.append(textOf(option));
    }
    if (list.selectedIndex < 0 && !list.items.isEmpty()) {
        list.selectedIndex = 0;
    }
    return list;
}

void LiteHtmlFormControls::clear()
{
    for (const Control& control : controls_) {
        if (control.widget) {
            control.widget->hide();
            control.widget->deleteLater();
        }
    }
    controls_.clear();
}

void LiteHtmlFormControls::place(QPoint scroll)
{
    for (const Control& control : controls_) {
        if (control.widget) {
            control.widget->setGeometry(boxOf(control.element).translated(-scroll));
        }
    }
}

QList<FormControl> LiteHtmlFormControls::list() const
{
    QList<FormControl> lists;
    for (const Control& control : controls_) {
        if (control.list.kind != QLatin1String("select")) {
            continue;
        }
        FormControl list = control.list;
        if (const auto* box = qobject_cast<const QComboBox*>(control.widget.data())) {
            list.selectedIndex = box->currentIndex();
        } else if (const auto* items = qobject_cast<const QListWidget*>(control.widget.data())) {
            list.selectedIndex = items->currentRow();
        }
        lists.append(list);
    }
    return lists;
}
