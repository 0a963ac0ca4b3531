// The HEAD record and its SOUR structure (the system that wrote the file).
// Both keep only their own line: every member reads the file again.
#pragma once

#include "access/record_object.h"

namespace kinfold {

class GDHeaderRecord : public RecordObject<IGDHeaderRecord, IGDHeaderRecord> {
   public:
    HRESULT STDMETHODCALLTYPE get_SourceSystem(IGDSourceSystemRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_DestinationSystem(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_TransmissionDate(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_TransmissionTime(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Submission(IGDSubmissionRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Submitter(IGDSubmitterRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_FileName(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Copyright(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_GEDCOMVersion(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_GEDCOMForm(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_CharSet(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_CharSetVersion(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Language(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_PlaceFormat(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Description(BSTR* pVal) override;
};

class GDSourceSystemRecord : public RecordObject<IGDSourceSystemRecord, IGDSourceSystemRecord> {
   public:
    HRESULT STDMETHODCALLTYPE get_System(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Version(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Address(IGDAddressRecord** pVal) override;
    HRESULT STDMETHODCALLTYPE get_Corporation(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_DataSource(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_DataSourcePublicationDate(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_DataSourceCopyright(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* pVal) override;
};

}  // namespace kinfold
