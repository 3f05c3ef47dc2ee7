#pragma once
// The enumerations of clsListView.

namespace kv {

enum enuLVFormat : long {
    conLVF_Text = 0,
    conLVF_Date = 1,
    conLVF_Number_Dec0 = 2,
    conLVF_Number_Dec1 = 3,
    conLVF_Number_Dec2 = 4,
    conLVF_Number_Dec0_th = 5,
    conLVF_Number_Dec1_th = 6,
    conLVF_Number_Dec2_th = 7,
};
enum enuLVSearchMode : long { conLVSM_FirstChar = 0, conLVSM_AllChars = 1 };
enum enuLVSortOrder : long { conLVSO_Toggle = 0, conLVSO_Ascending = 1, conLVSO_Decending = 2 };
enum enuLVMoveItem : long { conLVMI_Up = 0, conLVMI_Down = 1 };
enum enuLVMoveColumn : long { conLVMC_Left = 0, conLVMC_Right = 1 };
enum enuLVAlignment : long { conLVA_Left = 0, conLVA_Right = 1, conLVA_Center = 2 };
enum enuLVTypeAutoSize : long { conLVTA_Headers = 0, conLVTA_Items = 1 };

inline bool IsNumberFormat(long format) { return format >= conLVF_Number_Dec0 && format <= conLVF_Number_Dec2_th; }

}  // namespace kv
