#include "ui/help/window/TopicChooser.h"

#include <QDialogButtonBox>
#include <QHelpLink>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TopicChooser::TopicChooser(QWidget* parent, const QString& keyword, const QList<QHelpLink>& topics) : QDialog(parent)
{
    setObjectName(QStringLiteral("TopicChooser"));
    setWindowTitle(QStringLiteral("Topics Found"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Choose a page about \"%1\":").arg(keyword), this);
    topicList = new QListWidget(this);
    topicList->setObjectName(QStringLiteral("topicList"));
    label->setBuddy(topicList);
    for (const QHelpLink& topic : topics) {
        topicList->addItem(topic.title.isEmpty() ? topic.url.fileName() : topic.title);
        topicUrls.append(topic.url);
    }
    topicList->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(QStringLiteral("&Display"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(topicList, &QListWidget::itemActivated, this, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(topicList);
    layout->addWidget(buttons);
}

QUrl TopicChooser::chosenTopic() const
{
    const int row = topicList->currentRow();
    return row >= 0 && row < topicUrls.size() ? topicUrls.at(row) : QUrl();
}
