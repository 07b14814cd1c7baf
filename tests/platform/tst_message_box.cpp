#include "message_box.h"

#include <QTest>

using namespace pellomar;

class TestMessageBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void responderSeesTheBox();
    void emptyTitleIsTheApplications();
    void answerComesBack();
};

void TestMessageBox::cleanup()
{
    MessageBox::setResponder(nullptr);
}

void TestMessageBox::responderSeesTheBox()
{
    QList<MessageBox::Request> seen;
    MessageBox::setResponder([&](const MessageBox::Request &box) {
        seen << box;
        return QMessageBox::Ok;
    });
    MessageBox::show(nullptr, QMessageBox::Critical, QStringLiteral("Error"),
        QStringLiteral("Invalid Country. Please reselect from the list options."));
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QCOMPARE(seen[0].title, QStringLiteral("Error"));
    QCOMPARE(
        seen[0].text, QStringLiteral("Invalid Country. Please reselect from the list options."));
    QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestMessageBox::emptyTitleIsTheApplications()
{
    QString title;
    MessageBox::setResponder([&](const MessageBox::Request &box) {
        title = box.title;
        return QMessageBox::Ok;
    });
    MessageBox::show(nullptr, QMessageBox::Information, QString(), QStringLiteral("Saved."));
    QCOMPARE(title, QStringLiteral("Pellomar"));
    QCOMPARE(MessageBox::applicationTitle(), QStringLiteral("Pellomar"));
}

void TestMessageBox::answerComesBack()
{
    MessageBox::setResponder([](const MessageBox::Request &) { return QMessageBox::No; });
    QCOMPARE(MessageBox::show(nullptr, QMessageBox::Question, QString(), QStringLiteral("Replace?"),
                 QMessageBox::Yes | QMessageBox::No),
        QMessageBox::No);
}

QTEST_MAIN(TestMessageBox)
#include "tst_message_box.moc"
