#include "reportengine/ReportPicture.h"

void ReportPicture::resolve(const ReportContext &, std::vector<ReportElementInstance> &out) const
{
    if (!m_enabled || m_picture.isNull())
        return;
    ReportElementInstance instance;
    instance.kind = ReportElementKind::Picture;
    instance.name = name();
    instance.frame = frame();
    instance.picture = m_picture;
    out.push_back(std::move(instance));
}
