#pragma once

#include "UndoHistory.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace fenster {

class TFenster;

// The document the editor works on: the window model, its three texts and
// the selection. It has no widgets; the panel, the drawing area and the
// commands read it and change it, and react to changed. All document state
// lives here, so that a snapshot of this object is a complete undo step.
class EditorDocument : public QObject {
    Q_OBJECT
public:
    explicit EditorDocument(QObject* parent = nullptr);
    ~EditorDocument() override;

    // The window model. Handlers change it through the mutable access and
    // end with UpdateAll, which writes the description and announces it.
    const TFenster& model() const { return *m_model; }
    TFenster& model() { return *m_model; }

    // The window description (one line, "H,W,N,..."), the symbol list ("B:"
    // records) and the dimension line list ("M:" records), as the user and
    // the host see them. The description may disagree with the model until
    // the next UpdateAll or Auswerten1Click.
    const QString& Memo1() const { return m_memo1; }
    const QString& Memo2() const { return m_memo2; }
    const QString& Memo3() const { return m_memo3; }
    // Each setter emits changed. An empty description stands for a new
    // window: the model becomes the default window, the selection its first
    // field, and the description the one written from it.
    void setMemo1(const QString& text);
    void setMemo2(const QString& text);
    void setMemo3(const QString& text);
    // A whole document at once, as one change: loading a document or a
    // standard window, "&Neu". The model is read from description (an empty
    // one is the default window), the selection is the first field, and
    // the description is written back from the model unless it is to stay
    // exactly as loaded. The reader's message when it refused the text; the
    // caller checks the text first, so that a refused one is never taken.
    enum class KeepDescription { No, Yes };
    std::optional<QString> loadTexts(const QString& description, const QString& symbols,
        const QString& dimensionLines, KeepDescription keep);

    // The selected row and field, counted from 1; 0 addresses the same as 1
    // when the model is positioned but highlights nothing. A new selection
    // is announced by the UpdateAll that follows it.
    int SelectedRow() const { return m_selectedRow; }
    int SelectedField() const { return m_selectedField; }
    void setSelection(int row, int field);
    // The selected record of the symbol list (0-based, -1 for none) and of
    // the dimension line list (1-based, 0 for none).
    int SelectedSymbol() const { return m_selectedSymbol; }
    int SelectedDimLine() const { return m_selectedDimLine; }
    void setSelectedSymbol(int index);
    void setSelectedDimLine(int number);

    // The file the document came from or was last written to; empty for a
    // new window.
    const QString& documentName() const { return m_documentName; }
    void setDocumentName(const QString& name);

    // Pixels: the margins of the last drawing of the window, which the
    // constant-scale output takes over. Set by the screen drawing (1 and 1)
    // and by loading a document's companions; no signal.
    int leftMargin() const { return m_leftMargin; }
    int bottomMargin() const { return m_bottomMargin; }
    void setMargins(int left, int bottom);

    // Millimetres per pixel of the constant-scale output; above 0.
    double constantScale() const { return m_constantScale; }
    void setConstantScale(double mmPerPixel) { m_constantScale = mmPerPixel; }

    // Positions the model's cursors on the selected row and field.
    void SelectField();
    // The round trip of every edit: the description is written from the
    // model (on the selection), then changed is emitted once.
    void UpdateAll();
    // Rebuilds the model from the description, selects and runs UpdateAll.
    // A text the reader refuses leaves the model as far as it was read and
    // the text as it stands, and gives the reader's message.
    std::optional<QString> Auswerten1Click();
    // Rebuilds the model from the description without writing it back, so
    // that the text stays exactly as it was handed over (a host's file).
    // The reader's message when it refused the text.
    std::optional<QString> readModelFromText();

    // Undo and redo over the history of the texts and the selection. Every
    // change announced by changed is recorded; a run of changes with the
    // same merge key (the edit being typed into, as the merge key source
    // tells) is one step.
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    void undo();
    void redo();
    // True while the texts differ from what was last loaded or saved.
    bool isModified() const { return m_history.isModified(); }
    // The document is now what is on disk (after loading or saving).
    void markClean();
    // Forgets every step: the present state is the only one and clean (a
    // host's file, whose changes are never asked about).
    void resetHistory();
    void setMergeKeySource(std::function<QString()> source) { m_mergeKeySource = std::move(source); }
    // Milliseconds of a steady clock; tests give their own.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    const UndoHistory& history() const { return m_history; }

signals:
    // Something of the document changed; the views redraw from it.
    void changed();
    // The undo steps or the modified state may have changed.
    void historyChanged();
    void documentNameChanged();

private:
    DocumentSnapshot snapshot() const;
    void recordChange();
    void restore(const DocumentSnapshot& state);

    std::unique_ptr<TFenster> m_model;
    QString m_memo1;
    QString m_memo2;
    QString m_memo3;
    int m_selectedRow = 1;
    int m_selectedField = 1;
    int m_selectedSymbol = -1;
    int m_selectedDimLine = 0;
    QString m_documentName;
    int m_leftMargin = 20;
    int m_bottomMargin = 0;
    double m_constantScale = 5.0;
    UndoHistory m_history;
    bool m_restoring = false;
    std::function<QString()> m_mergeKeySource;
    std::function<qint64()> m_clock;
};

} // namespace fenster
