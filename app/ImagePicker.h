#pragma once

class Platform;
class PathLabel;
class QLineEdit;
class QMimeData;
class QString;
class QWidget;

/**
 * Lets the user choose an image file for a path label. The folder of the last choice is kept
 * in a hidden box and the next dialog opens there.
 */
class ImagePicker final {
public:
    ImagePicker(Platform& platform, QWidget& dialogParent, QLineEdit& lastPathBox);

    /** Lets the user choose a file and uses it for @p pathLabel; a cancel changes nothing. */
    void chooseFor(PathLabel& pathLabel);
    /**
     * Puts @p path into @p pathLabel's caption, its file name into its "tag", and remembers its folder.
     * A file there that is no picture is refused with a message and changes nothing; false then.
     */
    bool useImage(PathLabel& pathLabel, const QString& path);

    /** The path of the one local jpg, gif or png file in dragged @p data (any letter case), or an empty string. */
    static QString droppedImagePath(const QMimeData& data);

private:
    QString pickImage() const;

    Platform& m_platform;
    QWidget& m_dialogParent;
    QLineEdit& m_lastPathBox;
};
