#pragma once

#include <QDialog>

namespace Ui {
class ExportDlg;
}

namespace Halm58ga {

// Asks where and in which format to export the network. It writes nothing
// itself: the caller reads filePath() and format() after acceptance. The file
// is named after the junction number ("net" without one) in the chosen folder;
// the SUMO format writes several files beside its netconvert configuration.
class ExportDlg : public QDialog
{
    Q_OBJECT
public:
    enum Format { NetworkFormat, DotFormat, SumoFormat };

    explicit ExportDlg(QWidget *parent = nullptr);
    ~ExportDlg() override;

    // The folder offered for each format; SUMO files go where the network would.
    void setFolders(const QString &networkFolder, const QString &dotFolder);
    void setJunctionNumber(int number);
    void setFormat(Format format);
    Format format() const;
    QString folder() const;
    // -1 for none.
    int junctionNumber() const;
    QString filePath() const;

private:
    void formatChanged(int index);
    void browse();

    Ui::ExportDlg *ui;
    QString m_folders[3];
};

} // namespace Halm58ga
