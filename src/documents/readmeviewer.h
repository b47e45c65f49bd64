#pragma once

#include <QWidget>

class QLineEdit;

namespace sweltra::platform {
class RichTextBox;
}

namespace sweltra::documents {

// The document viewer. Another window shows it through the window registry, writes the return
// keyword into `txtLocator`, loads a document into `txtAirportHazards` and moves the focus to
// Back; it reaches those controls by object name. The viewer stays open until Back is pressed,
// unless the desktop session ends.
class frmReadMeViewer : public QWidget {
    Q_OBJECT
public:
    explicit frmReadMeViewer(QWidget *parent = nullptr);

public slots:
    // The desktop session is ending (logout, shutdown): the viewer must not hold it up, so it
    // lets itself be closed like any other window from now on.
    void allowCloseForSessionEnd();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmdBackfromReadme_Click();
    void txtAirportHazards_Change();
    void OpenWebLink(const QString &url);

    // True from load until Back: every other close request is refused meanwhile.
    bool blnStayOpen = false;
    QLineEdit *txtLocator = nullptr;
    platform::RichTextBox *txtAirportHazards = nullptr;
};

} // namespace sweltra::documents
