#include "TranslateForm.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>

namespace fenster {

namespace {

bool isRadioGroup(const QGroupBox* box)
{
    bool anyRadio = false;
    for (QObject* child : box->children()) {
        if (!child->isWidgetType())
            continue;
        if (!qobject_cast<QRadioButton*>(child))
            return false;
        anyRadio = true;
    }
    return anyRadio;
}

bool isMenuItem(const QAction* action)
{
    const auto owners = action->associatedObjects();
    return std::any_of(owners.begin(), owners.end(), [](QObject* owner) {
        return qobject_cast<QMenu*>(owner) || qobject_cast<QMenuBar*>(owner);
    });
}

class FormWalker {
public:
    FormWalker(TWTranslator& translator, AcceleratorSet& used)
        : m_translator(translator)
        , m_used(used)
    {
    }

    void walk(QObject* parent)
    {
        const QObjectList children = parent->children();
        for (QObject* child : children) {
            if (child->property("noTranslate").toBool())
                continue;
            if (translate(child))
                walk(child);
        }
    }

private:
    QString tl(const QString& text) { return m_translator.tl(text, m_used); }
    void translateHint(QWidget* widget) { widget->setToolTip(StripMarks(tl(widget->toolTip()))); }

    // Translates object by its role; true when its children belong to the
    // form (containers), false for controls whose children are their own.
    bool translate(QObject* object)
    {
        if (auto* action = qobject_cast<QAction*>(object)) {
            if (isMenuItem(action)) {
                if (action->isSeparator())
                    tl(QStringLiteral("-"));
                else
                    action->setText(tl(action->text()));
                action->setStatusTip(TrimBlanks(StripMarks(action->statusTip())));
            }
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget)
            return false;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(TrimRightBlanks(tl(label->text())));
            translateHint(label);
            return false;
        }
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            check->setText(StripMarks(TrimRightBlanks(tl(check->text()))));
            translateHint(check);
            return false;
        }
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            auto* group = qobject_cast<QGroupBox*>(radio->parentWidget());
            if (group && isRadioGroup(group))
                radio->setText(StripMarks(tl(radio->text())));
            return false;
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            if (isRadioGroup(group))
                group->setTitle(TrimBlanks(tl(group->title())));
            else
                group->setTitle(StripMarks(TrimBlanks(tl(group->title()))));
            translateHint(group);
            return true;
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            translateHint(combo);
            for (int i = 0; i < combo->count(); ++i)
                combo->setItemText(i, StripMarks(tl(combo->itemText(i))));
            return false;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(tl(button->text()));
            translateHint(button);
            return false;
        }
        if (auto* statusBar = qobject_cast<QStatusBar*>(widget)) {
            translateHint(statusBar);
            return false;
        }
        // Edit fields, spin edits and memos are not translated, and what
        // they hold inside is theirs.
        if (qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QLineEdit*>(widget)
            || qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget))
            return false;
        return true;
    }

    TWTranslator& m_translator;
    AcceleratorSet& m_used;
};

} // namespace

void TranslateComponent(TWTranslator& translator, QObject* component, AcceleratorSet& used)
{
    if (!component)
        return;
    if (auto* form = qobject_cast<QWidget*>(component); form && form->isWindow()) {
        form->setWindowTitle(StripMarks(translator.tl(form->windowTitle(), used)));
        form->setToolTip(StripMarks(translator.tl(form->toolTip(), used)));
    }
    FormWalker(translator, used).walk(component);
}

int TranslateForm(QWidget* form)
{
    try {
        TWTranslator* translator = EnsureTranslator();
        if (!translator)
            return -1;
        if (translator->dotranslate()) {
            // Each form gives out its accelerator keys afresh.
            AcceleratorSet used;
            TranslateComponent(*translator, form, used);
        }
        return 0;
    } catch (...) {
        return -1;
    }
}

void UseMessageBoxForMissingLanguageFile()
{
    SetMissingLanguageFileWarning([](const QString& message) {
        // Only a widget application can show a box.
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return;
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"), message, QMessageBox::Ok);
        box.exec();
    });
}

} // namespace fenster
