#include "dialogs/FontForm.h"

#include "dialogs/ColorGrid.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

namespace {

const QString kSample = QStringLiteral(
    "<center><h1>Заголовок</h1></center><ul>Нормальный текст<li><a href=NoWhere>Ссылка</a>"
    "<li><b>Жирный текст</b><li><i>Наклонный текст</i><li><code>Текст кода</code></ul> <hr>");

QLabel* Label(const char* text, QWidget* buddy, QRect where, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(where);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TFontForm::TFontForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Шрифт"));
    setFont(QFont(QStringLiteral("Arial")));
    setFixedSize(560, 380);
    CreateControls();
    ShowSample();
}

QList<std::pair<QString, QColor>> TFontForm::ColourNames()
{
    return {{QStringLiteral("clBlack"), QColor(QRgb(0x000000))},
            {QStringLiteral("clMaroon"), QColor(QRgb(0x800000))},
            {QStringLiteral("clGreen"), QColor(QRgb(0x008000))},
            {QStringLiteral("clOlive"), QColor(QRgb(0x808000))},
            {QStringLiteral("clNavy"), QColor(QRgb(0x000080))},
            {QStringLiteral("clPurple"), QColor(QRgb(0x800080))},
            {QStringLiteral("clTeal"), QColor(QRgb(0x008080))},
            {QStringLiteral("clGray"), QColor(QRgb(0x808080))},
            {QStringLiteral("clSilver"), QColor(QRgb(0xC0C0C0))},
            {QStringLiteral("clRed"), QColor(QRgb(0xFF0000))},
            {QStringLiteral("clLime"), QColor(QRgb(0x00FF00))},
            {QStringLiteral("clYellow"), QColor(QRgb(0xFFFF00))},
            {QStringLiteral("clBlue"), QColor(QRgb(0x0000FF))},
            {QStringLiteral("clFuchsia"), QColor(QRgb(0xFF00FF))},
            {QStringLiteral("clAqua"), QColor(QRgb(0x00FFFF))},
            {QStringLiteral("clWhite"), QColor(QRgb(0xFFFFFF))},
            {QStringLiteral("clMoneyGreen"), QColor(QRgb(0xC0DCC0))},
            {QStringLiteral("clSkyBlue"), QColor(QRgb(0xA6CAF0))},
            {QStringLiteral("clCream"), QColor(QRgb(0xFFFBF0))},
            {QStringLiteral("clMedGray"), QColor(QRgb(0xA0A0A4))},
            {QStringLiteral("clDefault"), QColor()},
            {QStringLiteral("clNone"), QColor()}};
}

// A listed name, else the colour written as $00BBGGRR.
QString TFontForm::NameOf(const QColor& colour)
{
    for (const auto& [name, value] : ColourNames()) {
        if (value.isValid() && value.rgb() == colour.rgb()) {
            return name;
        }
    }
    return QStringLiteral("$00%1%2%3")
        .arg(colour.blue(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

void TFontForm::CreateControls()
{
    FontListBox = new QListWidget(this);
    FontListBox->setGeometry(10, 26, 170, 180);
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    FontListBox->addItems(families);
    Label("&Шрифт", FontListBox, QRect(10, 6, 170, 18), this);
    BackListBox = new QListWidget(this);
    BackListBox->setGeometry(10, 236, 170, 100);
    for (const auto& [name, colour] : ColourNames()) {
        BackListBox->addItem(name);
    }
    Label("&Цвет фона", BackListBox, QRect(10, 216, 170, 18), this);
    FontColorGrid = new TColorGrid(this);
    FontColorGrid->move(190, 26);
    Label("Цвет &текста", FontColorGrid, QRect(190, 6, 100, 18), this);
    HotSpotColorGrid = new TColorGrid(this);
    HotSpotColorGrid->move(190, 156);
    Label("Цвет &ссылки", HotSpotColorGrid, QRect(190, 136, 100, 18), this);
    FontSizeEdit = new QSpinBox(this);
    FontSizeEdit->setGeometry(190, 286, 100, 24);
    FontSizeEdit->setRange(6, 24);
    FontSizeEdit->setValue(12);
    Label("&Размер", FontSizeEdit, QRect(190, 266, 100, 18), this);
    FontViewer = new QTextEdit(this);
    FontViewer->setGeometry(300, 26, 250, 300);
    FontViewer->setReadOnly(true);
    FontViewer->setTextInteractionFlags(Qt::NoTextInteraction);
    FontViewer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    OKButton = new QPushButton(QStringLiteral("O&K"), this);
    OKButton->setGeometry(300, 342, 75, 28);
    OKButton->setDefault(true);
    Cancel = new QPushButton(QStringLiteral("Отмена"), this);
    Cancel->setGeometry(385, 342, 75, 28);
    ResetButton = new QPushButton(QStringLiteral("&Сброс"), this);
    ResetButton->setGeometry(470, 342, 75, 28);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ResetButton, &QPushButton::clicked, this, &TFontForm::ResetButtonClick);
    connect(FontListBox, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SetFontName(item->text()); });
    connect(BackListBox, &QListWidget::itemClicked, this, [this] { SetBackground(Background()); });
    connect(FontSizeEdit, &QSpinBox::valueChanged, this, [this](int size) {
        if (size != fontSize_) {
            SetFontSize(size);
        }
    });
    connect(FontColorGrid, &TColorGrid::colourClicked, this,
            [this](const QColor& colour) { SetFontColor(colour); });
    connect(HotSpotColorGrid, &TColorGrid::colourClicked, this,
            [this](const QColor& colour) { SetHotSpotColor(colour); });
}

void TFontForm::ShowSample()
{
    QFont font(FontName());
    font.setPointSize(fontSize_);
    FontViewer->document()->setDefaultFont(font);
    FontViewer->document()->setDefaultStyleSheet(
        QStringLiteral("body { color: %1 } a { color: %2 } code { font-family: 'Courier New' }")
            .arg(fontColor_.name(), hotSpotColor_.name()));
    QPalette palette = FontViewer->palette();
    palette.setColor(QPalette::Base, Background());
    FontViewer->setPalette(palette);
    FontViewer->setHtml(kSample);
}

QString TFontForm::FontName() const
{
    const QListWidgetItem* item = FontListBox->currentItem();
    return item ? item->text() : QStringLiteral("Arial");
}

void TFontForm::SetFontName(const QString& name)
{
    QList<QListWidgetItem*> found = FontListBox->findItems(name, Qt::MatchFixedString);
    if (found.isEmpty()) {
        found = FontListBox->findItems(QStringLiteral("Arial"), Qt::MatchFixedString);
    }
    FontListBox->setCurrentItem(found.value(0));
    ShowSample();
}

void TFontForm::SetFontColor(const QColor& colour)
{
    fontColor_ = colour;
    FontColorGrid->SetMarked(-1);
    ShowSample();
}

void TFontForm::SetHotSpotColor(const QColor& colour)
{
    hotSpotColor_ = colour;
    HotSpotColorGrid->SetMarked(-1);
    ShowSample();
}

void TFontForm::SetFontSize(int size)
{
    fontSize_ = size;
    FontSizeEdit->setValue(size);
    ShowSample();
}

QColor TFontForm::Background() const
{
    const QListWidgetItem* item = BackListBox ? BackListBox->currentItem() : nullptr;
    if (item) {
        for (const auto& [name, colour] : ColourNames()) {
            if (name == item->text() && colour.isValid()) {
                return colour;
            }
        }
        if (item->text().startsWith(QLatin1Char('$')) && item->text().size() == 9) {
            const QString bgr = item->text().mid(3);
            return QColor(bgr.mid(4, 2).toInt(nullptr, 16), bgr.mid(2, 2).toInt(nullptr, 16),
                          bgr.left(2).toInt(nullptr, 16));
        }
    }
    return palette().color(QPalette::Button);
}

void TFontForm::SetBackground(const QColor& colour)
{
    const QString name = NameOf(colour).left(80);
    QList<QListWidgetItem*> found = BackListBox->findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) {
        BackListBox->addItem(name);
        found = BackListBox->findItems(name, Qt::MatchExactly);
    }
    BackListBox->setCurrentItem(found.value(0));
    ShowSample();
}

void TFontForm::Remember()
{
    remembered_.fontName = FontName();
    remembered_.fontColor = fontColor_;
    remembered_.fontSize = fontSize_;
    remembered_.linkColor = hotSpotColor_;
    remembered_.background = Background();
}

void TFontForm::ResetButtonClick()
{
    SetFontName(remembered_.fontName);
    SetFontColor(remembered_.fontColor);
    SetFontSize(remembered_.fontSize);
    SetHotSpotColor(remembered_.linkColor);
    SetBackground(remembered_.background);
}

bool TFontForm::Choose(ViewerDefaults& defaults, QWidget* parent)
{
    TFontForm form(parent);
    form.SetFontName(defaults.fontName);
    form.SetFontColor(defaults.fontColor);
    form.SetFontSize(qBound(6, defaults.fontSize, 24));
    form.SetHotSpotColor(defaults.linkColor);
    form.SetBackground(defaults.background);
    form.Remember();
    if (form.exec() != QDialog::Accepted) {
        return false;
    }
    defaults.fontName = form.FontName();
    defaults.fontColor = form.FontColor();
    defaults.fontSize = form.FontSize();
    defaults.linkColor = form.HotSpotColor();
    defaults.background = form.Background();
    return true;
}
