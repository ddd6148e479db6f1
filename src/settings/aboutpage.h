#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

class QLabel;

namespace Tarvosk {

class BlendAnimation;
class PictureBox;

// The page "Ü&ber" (picFrame(2)): the version, the animated picture and the
// link to the maker's web page.
class AboutPage : public QWidget
{
    Q_OBJECT

public:
    AboutPage(const QString &version, QUrl homePage, std::function<void(const QUrl &)> openUrl,
              QWidget *parent = nullptr);
    ~AboutPage() override;

    // tmrAnimation: runs while the page is chosen.
    void setAnimationRunning(bool running);
    BlendAnimation *animation() const;

private:
    void imgLink_Click();

    QUrl m_homePage;
    std::function<void(const QUrl &)> m_openUrl;
    QLabel *m_lblVersion;
    PictureBox *m_picPresents;
    PictureBox *m_imgLink;
    BlendAnimation *m_animation;
};

} // namespace Tarvosk
