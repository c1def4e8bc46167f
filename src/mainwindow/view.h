#pragma once

#include <QMainWindow>

class View : public QMainWindow {
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
};
