// The format grid control: the cells of a TGridModel shown through a Qt table, each drawn with its
// own font, colours and alignment, edited in place, and driven by the grid's keys.
#include "grid/widget/formatgrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// A cell colour as the control paints it: system colours come from the palette.
QColor PaintColor(TColor Color, const QPalette& Palette) {
    if (Color == clWindow) return Palette.color(QPalette::Base);
    if (Color == clWindowText) return Palette.color(QPalette::Text);
    if (Color & 0x80000000u) return Palette.color(QPalette::Window);
    return QColor(static_cast<int>(Color & 0xFF), static_cast<int>((Color >> 8) & 0xFF),
                  static_cast<int>((Color >> 16) & 0xFF));
}

// A cell font on top of the control's own: an empty name and a zero size keep the control's.
QFont PaintFont(const TCellFont& Cell, QFont Font) {
    if (!Cell.Name.empty()) Font.setFamily(QString::fromStdString(Cell.Name));
    if (Cell.Size > 0) Font.setPointSize(Cell.Size);
    Font.setBold(Cell.Style & fsBold);
    Font.setItalic(Cell.Style & fsItalic);
    Font.setUnderline(Cell.Style & fsUnderline);
    Font.setStrikeOut(Cell.Style & fsStrikeOut);
    return Font;
}

// The left edge of a text of Width pixels in Rect.
int TextLeft(const QRect& Rect, int Width, TAlignment Alignment) {
    switch (Alignment) {
    case taRightJustify:
        return Rect.left() + Rect.width() - Width - 3;
    case taCenter:
        return Rect.left() + (Rect.width() - Width) / 2;
    case taLeftJustify:
        break;
    }
    return Rect.left() + 2;
}

Qt::Alignment EditorAlignment(TAlignment Alignment) {
    switch (Alignment) {
    case taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
        return Qt::AlignCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

// The table the view shows: the grid's counts, each cell's text, and the end of an edit.
class TFormatGrid::TItems : public QAbstractTableModel {
public:
    explicit TItems(TFormatGrid& Grid) : QAbstractTableModel(&Grid), Grid(Grid) {}

    int rowCount(const QModelIndex& Parent = {}) const override {
        return Parent.isValid() ? 0 : Grid.RowCount();
    }
    int columnCount(const QModelIndex& Parent = {}) const override {
        return Parent.isValid() ? 0 : Grid.ColCount();
    }
    QVariant data(const QModelIndex& Index, int Role) const override {
        if (Role != Qt::DisplayRole && Role != Qt::EditRole) return {};
        const TGridRec& Cell = Grid.Cell(Index.column(), Index.row());
        return QString::fromStdString(Role == Qt::EditRole ? Cell.EditText() : Cell.Text());
    }
    bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override {
        if (Role != Qt::EditRole) return false;
        Grid.Cells.EditDone(Index.column(), Index.row(), Value.toString().toStdString());
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& Index) const override {
        if (Grid.IsFixed(Index.column(), Index.row())) return Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }

    // Changes one count from Old to New through Change, telling the view which rows or columns
    // came or went, so the current cell and the selection stay where they were.
    void Reshape(Qt::Orientation Which, int Old, int New, const std::function<void()>& Change) {
        const bool Rows = Which == Qt::Vertical;
        if (New > Old)
            Rows ? beginInsertRows({}, Old, New - 1) : beginInsertColumns({}, Old, New - 1);
        if (New < Old)
            Rows ? beginRemoveRows({}, New, Old - 1) : beginRemoveColumns({}, New, Old - 1);
        Change();
        if (New > Old) Rows ? endInsertRows() : endInsertColumns();
        if (New < Old) Rows ? endRemoveRows() : endRemoveColumns();
    }

private:
    TFormatGrid& Grid;
};

// Draws the cells and runs the in-place editor.
class TFormatGrid::TDelegate : public QStyledItemDelegate {
public:
    explicit TDelegate(TFormatGrid& Grid) : QStyledItemDelegate(&Grid), Grid(Grid) {}

    void paint(QPainter* Canvas, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override {
        const TGridRec& Cell = Grid.Cell(Index.column(), Index.row());
        const QPalette& Palette = Option.palette;
        QFont Font = PaintFont(Cell.Font(), Grid.font());
        QColor Ink = PaintColor(Cell.Font().Color, Palette);
        QColor Back = PaintColor(Cell.CellColor(), Palette);
        const bool Current = Index == Grid.currentIndex();
        if (Grid.IsFixed(Index.column(), Index.row())) {
            Font = Grid.FixedFont();
            Ink = Palette.color(QPalette::ButtonText);
            Back = Palette.color(QPalette::Button);
        } else if ((Option.state & QStyle::State_Selected) && !(Current && Grid.hasFocus()) &&
                   Grid.selectionMode() != QAbstractItemView::SingleSelection &&
                   Grid.editTriggers() == QAbstractItemView::NoEditTriggers) {
            Ink = Palette.color(QPalette::HighlightedText);
            Back = Palette.color(QPalette::Highlight);
        }
        const QRect& Rect = Option.rect;
        const QString Text = QString::fromStdString(Cell.Text());
        const QFontMetrics Metrics(Font);
        const int Top = Rect.top() + (Rect.height() - Metrics.height()) / 2;
        Canvas->save();
        Canvas->setClipRect(Rect);
        Canvas->fillRect(Rect, Back);
        Canvas->setFont(Font);
        Canvas->setPen(Ink);
        Canvas->drawText(TextLeft(Rect, Metrics.horizontalAdvance(Text), Cell.Alignment()),
                         Top + Metrics.ascent(), Text);
        if (Current) DrawCurrentFrame(*Canvas, Rect, Palette);
        Canvas->restore();
    }

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem&,
                          const QModelIndex& Index) const override {
        const TGridRec& Cell = Grid.Cell(Index.column(), Index.row());
        auto* Editor = new QLineEdit(Parent);
        Editor->setFrame(false);
        Editor->setFont(PaintFont(Cell.Font(), Grid.font()));
        Editor->setAlignment(EditorAlignment(Cell.Alignment()));
        return Editor;
    }

    void updateEditorGeometry(QWidget* Editor, const QStyleOptionViewItem& Option,
                              const QModelIndex&) const override {
        Editor->setGeometry(Option.rect);
    }

protected:
    // Enter ends the edit on the spot; an arrow that leads out of the text ends it and moves.
    bool eventFilter(QObject* Object, QEvent* Event) override {
        auto* Editor = qobject_cast<QLineEdit*>(Object);
        if (!Editor || Event->type() != QEvent::KeyPress)
            return QStyledItemDelegate::eventFilter(Object, Event);
        auto* Key = static_cast<QKeyEvent*>(Event);
        const bool Enter = Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter;
        if (!Enter && !LeavesText(*Editor, *Key))
            return QStyledItemDelegate::eventFilter(Object, Event);
        // The commit may show a message box, whose event loop can close the editor first.
        QPointer<QLineEdit> Alive(Editor);
        emit commitData(Editor);
        if (Alive) emit closeEditor(Editor, NoHint);
        if (Enter)
            Grid.EditorEnter();
        else
            Grid.EditorArrow(Key);
        return true;
    }

private:
    static bool LeavesText(const QLineEdit& Editor, const QKeyEvent& Key) {
        const bool Whole = !Editor.hasSelectedText();
        switch (Key.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        case Qt::Key_Left:
            return Whole && Editor.cursorPosition() == 0;
        case Qt::Key_Right:
            return Whole && Editor.cursorPosition() == Editor.text().size();
        default:
            return false;
        }
    }

    // The current cell is framed, boldly while the grid has the focus.
    void DrawCurrentFrame(QPainter& Canvas, const QRect& Rect, const QPalette& Palette) const {
        const int Width = Grid.hasFocus() ? 2 : 1;
        Canvas.setPen(QPen(Palette.color(QPalette::Highlight), Width, Qt::SolidLine, Qt::SquareCap,
                           Qt::MiterJoin));
        Canvas.setBrush(Qt::NoBrush);
        Canvas.drawRect(
            QRectF(Rect).adjusted(Width / 2.0, Width / 2.0, -Width / 2.0, -Width / 2.0));
    }

    TFormatGrid& Grid;
};

TFormatGrid::TFormatGrid(QWidget* Parent) : QTableView(Parent), Items(new TItems(*this)) {
    setModel(Items);
    setItemDelegate(new TDelegate(*this));
    for (QHeaderView* Header : {horizontalHeader(), verticalHeader()}) {
        Header->hide();
        Header->setMinimumSectionSize(1);
        Header->setSectionResizeMode(QHeaderView::Fixed);
    }
    SetDefaultColWidth(64);
    SetDefaultRowHeight(24);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionMode(SingleSelection);
    setTabKeyNavigation(false);
    FFixedFont = font();

    Cells.OnCellChanged = [this](int ACol, int ARow) { CellChanged(ACol, ARow); };
    Cells.OnFinishEditing = [this](int ACol, int ARow) {
        if (OnFinishEditing) OnFinishEditing(*this, ACol, ARow);
    };
    Cells.OnCalculate = [this] {
        if (OnCalculate) OnCalculate(*this);
    };
    Cells.OnBusy = [this](bool Busy) {
        if (Busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return;
        }
        QApplication::restoreOverrideCursor();
        viewport()->update();
    };
    Cells.OnNotANumber = [this](const std::string& Message) { ShowNotANumber(Message); };
    SetCurrent(FFixedCols, FFixedRows);
}

void TFormatGrid::SetColCount(int Value) {
    Items->Reshape(Qt::Horizontal, ColCount(), std::max(Value, 0),
                   [&] { Cells.SetColCount(Value); });
    if (!currentIndex().isValid()) SetCurrent(FFixedCols, FFixedRows);
}

void TFormatGrid::SetRowCount(int Value) {
    Items->Reshape(Qt::Vertical, RowCount(), std::max(Value, 1), [&] { Cells.SetRowCount(Value); });
    if (!currentIndex().isValid()) SetCurrent(FFixedCols, FFixedRows);
}

void TFormatGrid::SetFixedCols(int Value) {
    FFixedCols = std::max(Value, 0);
    SetCurrent(std::max(Col(), FFixedCols), std::max(Row(), FFixedRows));
    viewport()->update();
}

void TFormatGrid::SetFixedRows(int Value) {
    FFixedRows = std::max(Value, 0);
    SetCurrent(std::max(Col(), FFixedCols), std::max(Row(), FFixedRows));
    viewport()->update();
}

void TFormatGrid::SetDefaultColWidth(int Pixels) {
    horizontalHeader()->setDefaultSectionSize(Pixels);
}

void TFormatGrid::SetDefaultRowHeight(int Pixels) {
    verticalHeader()->setDefaultSectionSize(Pixels);
}

void TFormatGrid::SetFixedFont(const QFont& Value) {
    FFixedFont = Value;
    viewport()->update();
}

void TFormatGrid::SetCurrent(int ACol, int ARow) {
    setCurrentIndex(Items->index(ARow, ACol));
}

void TFormatGrid::keyPressEvent(QKeyEvent* Event) {
    const int C = Col(), R = Row();
    const bool Ctrl = Event->modifiers() == Qt::ControlModifier;
    if (!currentIndex().isValid() || IsFixed(C, R)) {
        QTableView::keyPressEvent(Event);
    } else if (Ctrl && Event->key() == Qt::Key_C) {
        QApplication::clipboard()->setText(QString::fromStdString(Cells.CopyCell(C, R)));
    } else if (Ctrl && Event->key() == Qt::Key_X) {
        QApplication::clipboard()->setText(QString::fromStdString(Cells.CutCell(C, R)));
    } else if (Ctrl && Event->key() == Qt::Key_V) {
        Cells.PasteCell(C, R, QApplication::clipboard()->text().toStdString());
    } else if (Event->key() == Qt::Key_Delete) {
        Cells.DeleteCell(C, R);
    } else if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) {
        // Enter opens the editor, as it closes it: the dialog's default button is not meant.
        edit(currentIndex());
    } else {
        QTableView::keyPressEvent(Event);
    }
}

void TFormatGrid::CellChanged(int ACol, int ARow) {
    viewport()->update(visualRect(Items->index(ARow, ACol)));
}

void TFormatGrid::ShowNotANumber(const std::string& Message) {
    QMessageBox::critical(this, QApplication::applicationName(), QString::fromStdString(Message));
}

void TFormatGrid::EditorEnter() {
    Cells.EnterPressed(Col(), Row());
}

void TFormatGrid::EditorArrow(QKeyEvent* Event) {
    const int C = Col(), R = Row();
    QTableView::keyPressEvent(Event);
    Cells.CellLeft(C, R);
}
