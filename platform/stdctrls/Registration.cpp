#include "platform/stdctrls/Registration.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/stdctrls/Bevel.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ComboBoxEx.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/GroupBox.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/Panel.h"
#include "platform/stdctrls/ProgressBar.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/RadioGroup.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/ScrollBox.h"
#include "platform/stdctrls/Shape.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/Splitter.h"
#include "platform/stdctrls/StatusBar.h"
#include "platform/stdctrls/TabControl.h"
#include "platform/stdctrls/ToolBar.h"
#include "platform/stdctrls/TrackBar.h"
#include "platform/stdctrls/TreeView.h"

void RegisterStdControls() {
    RegisterClasses<TLabel, TEdit, TMaskEdit, TMemo, TButton, TCheckBox, TRadioButton, TComboBox,
                    TListBox, TGroupBox>();
    RegisterClasses<TPanel, TBevel, TShape, TSplitter>();
    RegisterClasses<TDrawGrid, TStringGrid>();
    RegisterClasses<TTreeView, TListView, TProgressBar, TTrackBar, TStatusBar>();
    RegisterClasses<TSpeedButton, TBitBtn>();
    RegisterClasses<TSpinEdit, TComboBoxEx, TRadioGroup, TImage, TScrollBox, TScrollBar, TToolBar,
                    TToolButton, TTabSheet, TPageControl, TTabControl>();
}
