#include "platform/message_box.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace pellomar;

// The real modal box, answered by a click as a user would.
class TestMessageBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void realBoxShowsPlainTextAndAnswers()
    {
        const QString text = QStringLiteral("Cannot write <b>x</b>");
        QString title;
        bool plain = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            plain = box->textFormat() == Qt::PlainText && box->text() == text;
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(MessageBox::show(nullptr, QMessageBox::Question, QString(), text,
                     QMessageBox::Yes | QMessageBox::No),
            QMessageBox::No);
        QVERIFY(plain);
        QCOMPARE(title, QStringLiteral("Pellomar"));
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_message_box.moc"
