// A list of images that controls show by index, such as one icon per tab of a page control.
#pragma once

#include <QIcon>
#include <QObject>

#include <vector>

class TImageList : public QObject {
public:
    using QObject::QObject;

    void Add(const QIcon& Image) { Images.push_back(Image); }
    int Count() const { return static_cast<int>(Images.size()); }
    // Image Index, or no image when Index is outside the list.
    QIcon Image(int Index) const { return Index >= 0 && Index < Count() ? Images[Index] : QIcon(); }

private:
    std::vector<QIcon> Images;
};
