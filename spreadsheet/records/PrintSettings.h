#pragma once
// A sheet's page setup. Most values live in the sheet's default records (SETUP and the four
// print-flag records), so that what a program sets is what gets written; the margins, the header
// and footer texts and the page breaks live here.

#include "platform/classes/Collection.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"

#include <cstdint>
#include <memory>
#include <string>

class TRecordStorageSheet;

// The paper size of the page setup (only the low byte is kept).
enum TPaperSize : uint8_t { psLetter = 1, psLegal = 5, psA3 = 8, psA4 = 9 };

Q4_ENUM(TPrintSetupOption, psoLeftToRight, psoPortrait, psoNoColor, psoDraftQuality, psoNotes,
        psoRowColHeading, psoGridlines, psoHorizCenter, psoVertCenter);
using TPrintSetupOptions = TSet<TPrintSetupOption>;

class THorizPagebreak : public TCollectionItem {
    Q4_CLASS(THorizPagebreak, TCollectionItem)
    // Col2 starts at the process-wide MaxCol of the time of creation.
    explicit THorizPagebreak(TCollection* collection);
    // Raises "Object is not THorizPagebreak" for a source of another class.
    void Assign(TPersistent* source) override;

    int32_t Row = 0;
    int32_t Col1 = 0;
    int32_t Col2 = 0;

    static void DeclareProperties(TPropertyList& p) {
        p.Add("Row", &THorizPagebreak::Row);
        p.Add("Col1", &THorizPagebreak::Col1);
        p.Add("Col2", &THorizPagebreak::Col2);
    }
};

class TVertPagebreak : public TCollectionItem {
    Q4_CLASS(TVertPagebreak, TCollectionItem)
    // Row2 starts at the process-wide MaxRow of the time of creation.
    explicit TVertPagebreak(TCollection* collection);
    // Raises "Object is not TVertPagebreak" for a source of another class.
    void Assign(TPersistent* source) override;

    int32_t Col = 0;
    int32_t Row1 = 0;
    int32_t Row2 = 0;

    static void DeclareProperties(TPropertyList& p) {
        p.Add("Col", &TVertPagebreak::Col);
        p.Add("Row1", &TVertPagebreak::Row1);
        p.Add("Row2", &TVertPagebreak::Row2);
    }
};

class THorizPagebreaks : public TCollection {
    Q4_CLASS(THorizPagebreaks, TCollection)
    explicit THorizPagebreaks(TPersistent* owner = nullptr)
        : TCollection(THorizPagebreak::StaticClass(), owner) {}
    THorizPagebreak* Add() { return static_cast<THorizPagebreak*>(TCollection::Add()); }
    THorizPagebreak* Items(int index) const { return Item<THorizPagebreak>(index); }
};

class TVertPagebreaks : public TCollection {
    Q4_CLASS(TVertPagebreaks, TCollection)
    explicit TVertPagebreaks(TPersistent* owner = nullptr)
        : TCollection(TVertPagebreak::StaticClass(), owner) {}
    TVertPagebreak* Add() { return static_cast<TVertPagebreak*>(TCollection::Add()); }
    TVertPagebreak* Items(int index) const { return Item<TVertPagebreak>(index); }
};

class TPrintSettings : public TPersistent {
    Q4_CLASS(TPrintSettings, TPersistent)
    // Works on the records of the sheet it belongs to; SetDefaults runs at once.
    explicit TPrintSettings(TRecordStorageSheet& records, TPersistent* owner = nullptr);
    ~TPrintSettings() override;

    void SetDefaults();
    // Copies the texts, the margins and the page breaks (not what the records hold); raises
    // "Object is not TPrintSettings" for another class, before changing anything.
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() override { return owner_; }

    // Values held in the page-setup record.
    TPaperSize PaperSize() const;
    void SetPaperSize(TPaperSize value);
    int ScalingFactor() const;
    void SetScalingFactor(int value);
    int StartingPage() const;
    // 1 clears the starting-page bit of the option word, any other value sets it.
    void SetStartingPage(int value);
    // A value outside 0..65535 is stored as 0.
    int FitWidth() const;
    void SetFitWidth(int value);
    int FitHeight() const;
    void SetFitHeight(int value);
    int Resolution() const;
    void SetResolution(int value);
    double HeaderMargin() const;
    void SetHeaderMargin(double inches);
    double FooterMargin() const;
    void SetFooterMargin(double inches);
    int Copies() const;
    void SetCopies(int value);
    // Five bits of the option word and the four print-flag records; a write replaces the whole
    // option word.
    TPrintSetupOptions Options() const;
    void SetOptions(TPrintSetupOptions value);

    double HeaderMarginCm() const { return HeaderMargin() * 2.54; }
    void SetHeaderMarginCm(double cm) { SetHeaderMargin(cm / 2.54); }
    double FooterMarginCm() const { return FooterMargin() * 2.54; }
    void SetFooterMarginCm(double cm) { SetFooterMargin(cm / 2.54); }
    double MarginLeftCm() const { return MarginLeft * 2.54; }
    void SetMarginLeftCm(double cm) { MarginLeft = cm / 2.54; }
    double MarginRightCm() const { return MarginRight * 2.54; }
    void SetMarginRightCm(double cm) { MarginRight = cm / 2.54; }
    double MarginTopCm() const { return MarginTop * 2.54; }
    void SetMarginTopCm(double cm) { MarginTop = cm / 2.54; }
    double MarginBottomCm() const { return MarginBottom * 2.54; }
    void SetMarginBottomCm(double cm) { MarginBottom = cm / 2.54; }

    THorizPagebreaks* HorizPagebreaks() const { return horiz_.get(); }
    void SetHorizPagebreaks(THorizPagebreaks* value) { horiz_->Assign(value); }
    TVertPagebreaks* VertPagebreaks() const { return vert_.get(); }
    void SetVertPagebreaks(TVertPagebreaks* value) { vert_->Assign(value); }

    std::u16string Header;
    std::u16string Footer;
    double MarginLeft = 0;
    double MarginRight = 0;
    double MarginTop = 0;
    double MarginBottom = 0;

    static void DeclareProperties(TPropertyList& p);

private:
    TRecordStorageSheet& records_;
    TPersistent* owner_;
    std::unique_ptr<THorizPagebreaks> horiz_;
    std::unique_ptr<TVertPagebreaks> vert_;
};
