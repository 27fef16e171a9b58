#include "engine/DocumentGeometry.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextObjectInterface>

namespace DocumentGeometry {

QTextCharFormat FormatAt(const QTextDocument& document, int position)
{
    const QTextBlock block = document.findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (position >= fragment.position() && position < fragment.position() + fragment.length()) {
            return fragment.charFormat();
        }
    }
    return QTextCharFormat();
}

QRectF InlineObjectRect(const QTextDocument& document, int position)
{
    const QTextCharFormat format = FormatAt(document, position);
    if (!format.isImageFormat()) {
        return QRectF();
    }
    const QTextBlock block = document.findBlock(position);
    const QTextLayout* layout = block.layout();
    const int inBlock = position - block.position();
    const QTextLine line = layout ? layout->lineForTextPosition(inBlock) : QTextLine();
    if (!line.isValid()) {
        return QRectF();
    }
    QAbstractTextDocumentLayout* documentLayout = document.documentLayout();
    QTextObjectInterface* handler = documentLayout->handlerForObject(QTextFormat::ImageObject);
    const qreal left = line.cursorToX(inBlock);
    const qreal right = line.cursorToX(inBlock + 1);
    const QSizeF size =
        handler ? handler->intrinsicSize(const_cast<QTextDocument*>(&document), position, format)
                : QSizeF(right - left, line.height());
    const QPointF origin = documentLayout->blockBoundingRect(block).topLeft();
    return QRectF(origin.x() + qMin(left, right),
                  origin.y() + line.y() + line.ascent() - size.height(), qAbs(right - left),
                  size.height());
}

} // namespace DocumentGeometry
