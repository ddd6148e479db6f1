#include "settings/aboutpage.h"

#include "settings/blendanimation.h"
#include "settings/picturebox.h"
#include "settings/svgpicture.h"

#include <QDesktopServices>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

constexpr QSize presentsSize(320, 160);
constexpr QSize linkSize(200, 32);

} // namespace

AboutPage::AboutPage(const QString &version, QUrl homePage, std::function<void(const QUrl &)> openUrl,
                     QWidget *parent)
    : QWidget(parent)
    , m_homePage(std::move(homePage))
    , m_openUrl(std::move(openUrl))
    , m_lblVersion(new QLabel(u"v"_s + version))
    , m_picPresents(new PictureBox(u"picPresents"_s, presentsSize))
    , m_imgLink(new PictureBox(u"imgLink"_s, linkSize))
    , m_animation(new BlendAnimation(svgPicture(u":/settings/presents1.svg"_s, presentsSize),
                                     svgPicture(u":/settings/presents2.svg"_s, presentsSize), this))
{
    setObjectName(u"picFrame_2"_s);
    m_lblVersion->setObjectName(u"lblVersion"_s);
    m_lblVersion->setAlignment(Qt::AlignCenter);
    m_lblVersion->setVisible(!version.isEmpty());

    m_picPresents->setPicture(m_animation->picture());
    connect(m_animation, &BlendAnimation::pictureChanged, m_picPresents, &PictureBox::setPicture);

    m_imgLink->setPicture(svgPicture(u":/settings/link.svg"_s, linkSize));
    m_imgLink->setCursor(Qt::PointingHandCursor);
    m_imgLink->setToolTip(m_homePage.toDisplayString());
    // A link that leads nowhere is not shown.
    m_imgLink->setVisible(m_homePage.isValid());
    connect(m_imgLink, &PictureBox::clicked, this, &AboutPage::imgLink_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_lblVersion);
    layout->addWidget(m_picPresents, 0, Qt::AlignCenter);
    layout->addWidget(m_imgLink, 0, Qt::AlignCenter);
    layout->addStretch();
}

AboutPage::~AboutPage() = default;

void AboutPage::setAnimationRunning(bool running)
{
    if (running)
        m_animation->start();
    else
        m_animation->stop();
}

BlendAnimation *AboutPage::animation() const
{
    return m_animation;
}

void AboutPage::imgLink_Click()
{
    if (m_openUrl)
        m_openUrl(m_homePage);
    else
        QDesktopServices::openUrl(m_homePage);
}

} // namespace Tarvosk
