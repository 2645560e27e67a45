#pragma once

#include "render/MenuRenderer.h"

#include <QHash>
#include <QImage>
#include <QStyledItemDelegate>

// The template list's rows: beside each description a small picture of the
// template as a visitor meets it, its first sub menu open under the pointer,
// so that an author chooses by eye. A row's picture is drawn the first time
// the row is painted and kept; laying the list out draws none, so the page
// opens without drawing rows that are never shown.
class CTemplateThumbnails : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CTemplateThumbnails(const QSize &size, QObject *parent = nullptr);

    // The library the pictures are of; another one forgets those drawn.
    void SetLibrary(const QString &strLibraryPath);

    // The room each picture is fitted into, in pixels.
    QSize ThumbnailSize() const { return m_size; }
    // Template nTemplate (from 0) of the library, shrunk to fit the room at
    // dpr device pixels a pixel, never enlarged; null when it draws nothing.
    // Drawn on first use, then kept.
    QImage Thumbnail(int nTemplate, double dpr) const;
    // True once template nTemplate's picture has been drawn.
    bool IsDrawn(int nTemplate) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    // Leaves room for the picture; paint() draws it.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QString m_strLibraryPath;
    QSize m_size;
    CMenuRenderer m_renderer;
    // By template and device pixel ratio (in hundredths).
    mutable QHash<QPair<int, int>, QImage> m_pictures;
};
