#pragma once
// The typed view of a chart's records: each object attaches to one record of the tree and
// finds what it needs among that record's children (or is that record). Nothing is copied:
// the objects read and change the records in place.

#include "platform/classes/Persistent.h"
#include "spreadsheet/drawing/OPT.h"

#include <cstdint>
#include <memory>

class TChartRecord;
class TXFont;

// The record objects keep to a namespace of their own: the plotting library has classes of the
// same names (an axis, a legend), and a program may link both.
namespace xlschart {

class TRecordObject : public TPersistent {
    Q4_CLASS(TRecordObject, TPersistent)
public:
    // Stores the record; subclasses look for their records among its children.
    virtual void AttachRecords(TChartRecord* record) { Record = record; }
    // The first child of `record` with that id, or null.
    static TChartRecord* FindChild(TChartRecord* record, uint16_t id);

    TChartRecord* Record = nullptr;
};

// A text: its font is the font its FONTX child names.
class TChartText : public TRecordObject {
    Q4_CLASS(TChartText, TRecordObject)
public:
    void AttachRecords(TChartRecord* record) override;
    TXFont* Font() const { return font_; }

private:
    TXFont* font_ = nullptr;
};

class TLineFormat : public TRecordObject {
    Q4_CLASS(TLineFormat, TRecordObject)
};
class TAreaFormat : public TRecordObject {
    Q4_CLASS(TAreaFormat, TRecordObject)
};
class TMarkerFormat : public TRecordObject {
    Q4_CLASS(TMarkerFormat, TRecordObject)
};
class TTickFormat : public TRecordObject {
    Q4_CLASS(TTickFormat, TRecordObject)
};
class TCatSerAxisScaling : public TRecordObject {
    Q4_CLASS(TCatSerAxisScaling, TRecordObject)
};
class TValueAxisScaling : public TRecordObject {
    Q4_CLASS(TValueAxisScaling, TRecordObject)
};
class TChart3D : public TRecordObject {
    Q4_CLASS(TChart3D, TRecordObject)
};

// A gel frame's property table. Attached to a GELFRAME record, it reads the record's property
// tables into one and empties the body; from then on the record is written from the table.
class TGelFrame : public TRecordObject {
    Q4_CLASS(TGelFrame, TRecordObject)
public:
    TGelFrame() : table_(std::make_shared<TOPT>()) {}
    // Raises "First MSO record in Gelframe is not OPT".
    void AttachRecords(TChartRecord* record) override;
    TOPT& Properties() { return *table_; }

private:
    // Shared with the record's rebuild, which may outlive the frame.
    std::shared_ptr<TOPT> table_;
};

// Line, area and gel frame of a frame.
class TPaintFrame : public TRecordObject {
    Q4_CLASS(TPaintFrame, TRecordObject)
public:
    void AttachRecords(TChartRecord* record) override;
    TLineFormat LineFormat;
    TAreaFormat AreaFormat;
    // Present when the frame has a GELFRAME record.
    std::unique_ptr<TGelFrame> GelFrame;
};

class TChartLegend : public TRecordObject {
    Q4_CLASS(TChartLegend, TRecordObject)
public:
    void AttachRecords(TChartRecord* record) override;
    TPaintFrame PaintFrame;
};

class TChartAxis : public TRecordObject {
    Q4_CLASS(TChartAxis, TRecordObject)
public:
    void AttachRecords(TChartRecord* record) override;
    TTickFormat TickFormat;
};

class TCategoryAxis : public TChartAxis {
    Q4_CLASS(TCategoryAxis, TChartAxis)
public:
    void AttachRecords(TChartRecord* record) override;
    TCatSerAxisScaling Scaling;
};

class TSerieAxis : public TCategoryAxis {
    Q4_CLASS(TSerieAxis, TCategoryAxis)
};

class TValueAxis : public TChartAxis {
    Q4_CLASS(TValueAxis, TChartAxis)
public:
    void AttachRecords(TChartRecord* record) override;
    TValueAxisScaling Scaling;
};

} // namespace xlschart
