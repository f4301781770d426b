// The about box, with a logo of the three top trumps fanned out on the baize.
#include "ui/dialogs/about_box.h"

#include "cards/card.h"
#include "ui/cards/card_renderer.h"
#include "ui/table/dialog_placement.h"

#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#ifndef CORVANE_VERSION_MAJOR
#error "CORVANE_VERSION_MAJOR, _MINOR and _PATCH come from the project's version"
#endif

namespace corvane::ui {

namespace {

// The Five, the Jack and the Ace of hearts, the top trumps whatever the trump suit, fanned as a
// hand is held.
class LogoPicture : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);

        const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath baize;
        baize.addRoundedRect(area, 8, 8);
        painter.fillPath(baize, QColor(80, 176, 96));
        painter.setPen(QPen(QColor(40, 110, 55), 1));
        painter.drawPath(baize);

        const qreal dpr = devicePixelRatioF();
        const std::array<Card, 3> fan{Card::of(Ace, Hearts), Card::of(Jack, Hearts),
                                      Card::of(5, Hearts)};
        const std::array<qreal, 3> angles{-18.0, 0.0, 18.0};
        const QPointF pivot(width() / 2.0, height() * 0.80);
        for (size_t i = 0; i < fan.size(); ++i) {
            painter.save();
            painter.translate(pivot);
            painter.rotate(angles[i]);
            const QPointF topLeft(-CardPixelSize.width() / 2.0, -CardPixelSize.height() - 18.0);
            QPainterPath shadow;
            shadow.addRoundedRect(QRectF(topLeft + QPointF(2, 2), QSizeF(CardPixelSize)), 5, 5);
            painter.fillPath(shadow, QColor(0, 0, 0, 45));
            painter.drawPixmap(topLeft, cardRenderer().face(fan[i], dpr));
            painter.restore();
        }

        QFont name = font();
        name.setBold(true);
        name.setPointSizeF(11);
        painter.setFont(name);
        painter.setPen(QColor(255, 255, 255, 235));
        painter.drawText(QRectF(0, height() - 30, width(), 24), Qt::AlignCenter,
                         QStringLiteral("Corvane"));
    }
};

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& at) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(at);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QFrame* line(QWidget* parent, const char* name, const QRect& at, const QColor& colour) {
    auto* l = new QFrame(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(at);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, colour);
    l->setPalette(p);
    return l;
}

} // namespace

QString versionCaption() {
    return AboutBox::tr("Version %1.%2.%3")
        .arg(CORVANE_VERSION_MAJOR)
        .arg(CORVANE_VERSION_MINOR)
        .arg(CORVANE_VERSION_PATCH);
}

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Corvane"));
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);
    setFixedSize(pixelRect(0, 0, 6510, 4185).size());

    auto* logo = new LogoPicture(this);
    logo->setObjectName(QStringLiteral("picPack1"));
    logo->setGeometry(pixelRect(120, 120, 2265, 2760));

    QLabel* title =
        label(this, "lblTitle", QStringLiteral("Corvane"), pixelRect(2640, 240, 4095, 255));
    QFont titleFont = font();
    titleFont.setPointSizeF(9.75);
    titleFont.setBold(true);
    title->setFont(titleFont);
    label(this, "lblVersion", versionCaption(), pixelRect(2640, 600, 1695, 255));
    label(this, "Label1", tr("Cards, table and players by the Corvane team."),
          pixelRect(2640, 960, 2415, 495));
    label(this, "lblDescription",
          tr("Forty-fives for four: you and your partner against two opponents, at "
             "home or online."),
          pixelRect(2640, 1560, 3615, 495));

    // An etched rule between the text and the buttons: a shadow line over a highlight line.
    const QPalette& colours = palette();
    line(this, "Line1_0", pixelRect(2640, 2880, 3750, 15), colours.color(QPalette::Mid));
    line(this, "Line1_1", pixelRect(2640, 2895, 3750, 15), colours.color(QPalette::Light));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(pixelRect(5160, 3240, 1260, 345));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* sysInfo = new QPushButton(tr("&System Info..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfo->setGeometry(pixelRect(5160, 3720, 1245, 345));
    sysInfo->setAutoDefault(false);
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::StartSysInfo);
}

QMessageBox* AboutBox::sysInfoMessage() const {
    return m_sysInfoMessage.data();
}

void AboutBox::StartSysInfo() {
    if (m_sysInfoMessage)
        m_sysInfoMessage->close();
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Corvane"),
                                tr("System Information Is Unavailable At This Time"),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("sysInfoMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    m_sysInfoMessage = box;
    box->open();
}

} // namespace corvane::ui
