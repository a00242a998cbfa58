#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include "core/shell/site_address.h"
#include "platform/platform.h"
#include "ui/shell/TForm3.h"
#include "ui/shell/about_logo.h"
#include "ui/shell/app_icon.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiThemeManager.h"
#include "ui/skin/suiURLLabel.h"

namespace {
// The box as drawn. Its 284 x 193 design area lies centred across it and
// starts at its top edge, so the title bar is part of the area; the controls'
// places count from the area's corner.
constexpr QSize kOuterSize(300, 205);
constexpr QPoint kDesignOrigin(8, 0);

QPoint InClient(int left, int top) {
    return kDesignOrigin + QPoint(left, top) - QPoint(suiForm::BorderWidth, suiForm::TitleHeight);
}
} // namespace

TForm3::TForm3(QWidget* parent) : SkinnedWindow(QStringLiteral("关于Tavinor"), parent) {
    setObjectName("TForm3");
    setWindowIcon(AppIcon());
    suiForm1->setMinimizeButtonVisible(false);
    suiForm1->setMaximizeButtonVisible(false);
    setFixedSize(kOuterSize);

    QWidget* client = Client();
    Image1 = new QLabel(client);
    Image1->setObjectName("Image1");
    Image1->setGeometry(QRect(InClient(37, 29), QSize(225, 81)));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(AboutLogo());
    Label1 = new QLabel(QStringLiteral("Tavinor(V" TAVINOR_VERSION ")   "), client);
    Label1->setObjectName("Label1");
    Label1->move(InClient(40, 106));
    Label2 = new QLabel(QStringLiteral("Tavinor 版权所有，保留一切权利。"), client);
    Label2->setObjectName("Label2");
    Label2->move(InClient(40, 122));
    suiURLLabel1 = new suiURLLabel(client);
    suiURLLabel1->setObjectName("suiURLLabel1");
    suiURLLabel1->setText(QString::fromStdString(ProductSiteRoot()));
    suiURLLabel1->setUrl(suiURLLabel1->text());
    suiURLLabel1->move(InClient(40, 139));
    connect(suiURLLabel1, &suiURLLabel::clicked, this, [](const QString& url) {
        if (!url.isEmpty())
            platform::OpenInSystemBrowser(url.toStdString());
    });
    suiButton1 = new QPushButton(QStringLiteral("关闭"), client);
    suiButton1->setObjectName("suiButton1");
    suiButton1->setGeometry(QRect(InClient(181, 152), QSize(80, 27)));
    connect(suiButton1, &QPushButton::clicked, this, &TForm3::suiButton1Click);
    OnEscape([this] { suiButton1Click(); });
    suiThemeManager1->addControl(suiButton1);
}

void TForm3::suiButton1Click() {
    close();
}

void TForm3::FormCanResize() {
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    resize(kOuterSize);
}

void TForm3::changeEvent(QEvent* event) {
    SkinnedWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange &&
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        FormCanResize();
}
