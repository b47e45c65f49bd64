#pragma once

#include "platform/controltable.h"

#include <QWidget>

#include <span>
#include <string_view>

class QLineEdit;
class QPushButton;

namespace sweltra::platform {
class RichTextBox;
}
namespace sweltra::documents {
enum class Document;
}

namespace sweltra::viewer {

// The document viewer. It stays open until Back is pressed, unless the desktop session ends.
class frmReadMeViewer : public QWidget {
    Q_OBJECT
public:
    explicit frmReadMeViewer(QWidget *parent = nullptr);

    // The hand-off from another window, which has just shown the viewer: `locator` names the
    // window Back returns to, the document is loaded and shown from its start with nothing
    // selected, and the focus is left on Back.
    void showDocument(documents::Document document, const QString &locator);

    // Every control of the window as designed, in tab order.
    static std::span<const platform::ControlRow> controlTable();

public slots:
    // The desktop session is ending (logout, shutdown): the viewer must not hold it up, so it
    // lets itself be closed like any other window from now on.
    void allowCloseForSessionEnd();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void cmdBackfromReadme_Click();
    void txtAirportHazards_Change();

private:
    void OpenWebLink(const QString &url);

    // True from load until Back: every other close request is refused meanwhile.
    bool blnStayOpen = false;
    QLineEdit *m_locator = nullptr;
    platform::RichTextBox *m_document = nullptr;
    QPushButton *m_back = nullptr;
};

} // namespace sweltra::viewer
