// A document: a data file shown in a channel list. All documents share the one memory image, so
// loading or creating one replaces what every open list shows.
#pragma once

#include <QObject>
#include <QString>

namespace tarsel::ui {

class CChildFrame;
class CProgramView;

class CProgramDoc : public QObject {
    Q_OBJECT
public:
    explicit CProgramDoc(QString path, QObject* parent = nullptr)
        : QObject(parent), path_(std::move(path)) {}

    const QString& Path() const { return path_; }
    void SetPath(const QString& path) { path_ = path; }
    // The file name, or "无标题" for a document never saved.
    QString Title() const;

    CChildFrame* Frame() const { return frame_; }
    CProgramView* View() const { return view_; }
    void Attach(CChildFrame* frame, CProgramView* view) {
        frame_ = frame;
        view_ = view;
    }

private:
    QString path_;
    CChildFrame* frame_ = nullptr;
    CProgramView* view_ = nullptr;
};

} // namespace tarsel::ui
