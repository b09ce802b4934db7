#include "ui/HelpMenu.h"

#include <QAction>
#include <QMenuBar>
#include <QPixmap>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QtTest>

#include "support/WindowTest.h"
#include "ui/HelpWindow.h"
#include "ui/ShortcutsWindow.h"

// The Help menu: F1 opens the guide with every picture it shows, in one
// window however often it is asked for; the list of keys is read from the
// menus; the about box names the program's and Qt's versions.
class HelpMenuTest : public WindowTest {
  Q_OBJECT

 private:
  // A resource as the guide's browser delivers it: the file's bytes, or the
  // picture made of them once the guide has been laid out.
  static QImage PictureOf(const QVariant& data) {
    if (data.userType() == QMetaType::QByteArray) return QImage::fromData(data.toByteArray());
    if (data.userType() == QMetaType::QPixmap) return data.value<QPixmap>().toImage();
    return data.value<QImage>();
  }

  static QString KeysOf(const QTreeWidget& list, const QString& command) {
    const QList<QTreeWidgetItem*> rows = list.findItems(command, Qt::MatchExactly | Qt::MatchRecursive, 0);
    return rows.isEmpty() ? QString("(not listed)") : rows.first()->text(1);
  }

  void pressF1() {
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_F1);
  }

 private slots:
  void init() { startApplication(); }
  void cleanup() { finishApplication(); }

  void f1OpensTheGuideWithAllItsPictures() {
    pressF1();
    HelpWindow* help = app_->helpMenu().guideWindow();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QCOMPARE(help->windowTitle(), QString("Quorvix Help"));
    const QTextDocument& guide = *help->browser()->document();
    QCOMPARE(guide.metaInformation(QTextDocument::DocumentTitle), QString("Quorvix Help"));

    QStringList pictures, links;
    QSet<QString> anchors;
    for (QTextBlock block = guide.begin(); block.isValid(); block = block.next()) {
      for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QTextCharFormat format = fragment.fragment().charFormat();
        if (format.isImageFormat()) pictures << format.toImageFormat().name();
        if (format.isAnchor() && !format.anchorHref().isEmpty()) links << format.anchorHref();
        for (const QString& name : format.anchorNames()) anchors.insert(name);
      }
    }
    QVERIFY2(pictures.size() >= 3, qPrintable(pictures.join(", ")));
    for (const QString& name : pictures) {
      const QImage picture = PictureOf(guide.resource(QTextDocument::ImageResource, QUrl(name)));
      QVERIFY2(picture.width() > 100 && picture.height() > 100, qPrintable(name + " does not load"));
    }
    // The guide's own links lead somewhere in it.
    QVERIFY(links.contains("#road"));
    for (const QString& link : links) {
      if (link.startsWith('#')) QVERIFY2(anchors.contains(link.mid(1)), qPrintable(link));
    }

    // Closed and asked for again: the same window comes back.
    help->close();
    pressF1();
    QCOMPARE(app_->helpMenu().guideWindow(), help);
    QVERIFY(help->isVisible());
  }

  void theListOfKeysIsReadFromTheMenus() {
    window().HelpShortcuts->trigger();
    ShortcutsWindow* keys = app_->helpMenu().shortcutsWindow();
    QVERIFY(keys != nullptr);
    QVERIFY(keys->isVisible());
    QVERIFY(!keys->isModal());
    QCOMPARE(keys->windowTitle(), QString("Keyboard Shortcuts"));
    QCOMPARE(KeysOf(*keys->list(), "Load Bitmap"), QString("Ctrl+O"));
    QCOMPARE(KeysOf(*keys->list(), "Quorvix Help"), QString("F1"));

    // A command given a key later is listed the next time the list is shown.
    QCOMPARE(KeysOf(*keys->list(), "Reduce bitmap size"), QString("(not listed)"));
    window().EditReduce->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    keys->close();
    window().HelpShortcuts->trigger();
    QCOMPARE(KeysOf(*keys->list(), "Reduce bitmap size"), QString("Ctrl+R"));
  }

  void theAboutBoxNamesTheVersions() {
    window().HelpAbout->trigger();
    QCOMPARE(dialogs_.abouts.size(), std::size_t{1});
    const auto& [title, text] = dialogs_.abouts.front();
    QCOMPARE(title, std::string("About Quorvix"));
    const QString about = QString::fromStdString(text);
    QVERIFY2(about.contains(QUORVIX_VERSION), qPrintable(about));
    QVERIFY2(about.contains(qVersion()), qPrintable(about));
    QVERIFY2(about.contains("GNU General Public License, version 3 or later"), qPrintable(about));
    QVERIFY2(about.contains("https://quorvix.org"), qPrintable(about));
  }
};

QTEST_MAIN(HelpMenuTest)
#include "HelpMenu_test.moc"
