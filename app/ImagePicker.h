#pragma once

class Platform;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

/**
 * Lets the user choose an image file for a path label. The folder of the last choice is kept
 * in a hidden box and the next dialog opens there.
 */
class ImagePicker final {
public:
    ImagePicker(Platform& platform, QWidget& dialogParent, QLineEdit& lastPathBox);

    /** Puts the chosen path into @p pathLabel's caption and its file name into its "tag"; a cancel changes nothing. */
    void chooseFor(QLabel& pathLabel);

private:
    QString pickImage() const;

    Platform& m_platform;
    QWidget& m_dialogParent;
    QLineEdit& m_lastPathBox;
};
