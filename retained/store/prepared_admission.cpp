#include "retained/store/prepared_admission.hpp"

#include <algorithm>
#include <utility>

#include "retained/records/record_texts.hpp"

namespace tamo {
namespace {

template <typename Record, typename Writer>
std::vector<std::string> texts_of(const std::vector<Record>& records, Writer write) {
    std::vector<std::string> texts;
    texts.reserve(records.size());
    for (const Record& record : records) {
        texts.push_back(write(record));
    }
    return texts;
}

template <typename Record, typename Writer>
bool texts_equal(const std::vector<Record>& records, const std::vector<std::string>& texts,
                 Writer write) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (write(records[i]) != texts[i]) {
            return false;
        }
    }
    return true;
}

// Appends the records whose texts are the admitted ones, in order: the
// records the preflight found already known are passed over.
template <typename Record, typename Writer>
void restore_admitted(const std::vector<Record>& records,
                      const std::vector<std::string>& admitted_texts, Writer write,
                      std::vector<Record>& admitted) {
    std::size_t cursor = 0;
    for (const Record& record : records) {
        if (cursor < admitted_texts.size() && write(record) == admitted_texts[cursor]) {
            admitted.push_back(record);
            ++cursor;
        }
    }
}

}  // namespace

prepared_admission::prepared_admission(std::shared_ptr<store_identity> identity,
                                       const pending_admission& pending,
                                       const retained_fragment& fragment,
                                       const resource_set& resources,
                                       std::int32_t expected_revision, std::uint8_t kind)
    : identity(std::move(identity)),
      expected_revision(expected_revision),
      admission_kind(kind),
      accepted_flag(pending.ok),
      message_text(pending.message),
      validations(pending.validations),
      explicit_comparisons(pending.explicit_comparisons),
      payload_comparisons(pending.payload_comparisons),
      index_probes(pending.index_probes),
      first_sequence(pending.owner.first_sequence),
      last_sequence(pending.owner.last_sequence),
      fragment_text(write_fragment_record(fragment)),
      command_texts(texts_of(fragment.commands, write_command_record)),
      paint_texts(texts_of(resources.paints, write_paint_record)),
      image_texts(texts_of(resources.images, write_image_record)),
      glyph_texts(texts_of(resources.glyphs, write_glyph_record)),
      clip_texts(texts_of(resources.clips, write_clip_record)),
      transform_texts(texts_of(resources.transforms, write_transform_record)),
      admitted_paint_texts(texts_of(pending.admitted_paints, write_paint_record)),
      admitted_image_texts(texts_of(pending.admitted_images, write_image_record)),
      admitted_glyph_texts(texts_of(pending.admitted_glyphs, write_glyph_record)),
      admitted_clip_texts(texts_of(pending.admitted_clips, write_clip_record)),
      admitted_transform_texts(texts_of(pending.admitted_transforms, write_transform_record)),
      paint_rows(pending.owner.paint_rows),
      image_rows(pending.owner.image_rows),
      glyph_rows(pending.owner.glyph_rows),
      clip_rows(pending.owner.clip_rows),
      transform_rows(pending.owner.transform_rows) {}

prepared_admission::~prepared_admission() = default;

bool prepared_admission::accepted() const {
    return accepted_flag;
}

std::int32_t prepared_admission::revision() const {
    return expected_revision;
}

std::int32_t prepared_admission::validation_count() const {
    return validations;
}

std::int32_t prepared_admission::explicit_comparison_count() const {
    return explicit_comparisons;
}

std::int32_t prepared_admission::payload_comparison_count() const {
    return payload_comparisons;
}

std::int32_t prepared_admission::index_probe_count() const {
    return index_probes;
}

std::string prepared_admission::message() const {
    return message_text;
}

bool prepared_admission::consumed() const {
    return consumed_flag;
}

bool prepared_admission::belongs_to(const std::shared_ptr<store_identity>& token) const {
    return identity == token;
}

std::uint8_t prepared_admission::kind() const {
    return admission_kind;
}

void prepared_admission::mark_consumed() {
    consumed_flag = true;
}

bool prepared_admission::inputs_unchanged(const retained_fragment& fragment,
                                          const resource_set& resources) const {
    return write_fragment_record(fragment) == fragment_text &&
           fragment.commands.size() == command_texts.size() &&
           resources.paints.size() == paint_texts.size() &&
           resources.images.size() == image_texts.size() &&
           resources.glyphs.size() == glyph_texts.size() &&
           resources.clips.size() == clip_texts.size() &&
           resources.transforms.size() == transform_texts.size() &&
           texts_equal(fragment.commands, command_texts, write_command_record) &&
           texts_equal(resources.paints, paint_texts, write_paint_record) &&
           texts_equal(resources.images, image_texts, write_image_record) &&
           texts_equal(resources.glyphs, glyph_texts, write_glyph_record) &&
           texts_equal(resources.clips, clip_texts, write_clip_record) &&
           texts_equal(resources.transforms, transform_texts, write_transform_record);
}

pending_admission prepared_admission::validated_record(const retained_fragment& fragment,
                                                       const resource_set& resources) const {
    pending_admission pending = make_pending_admission(fragment.id, fragment.generation);
    pending.ok = accepted_flag;
    pending.message = message_text;
    pending.validations = validations;
    pending.explicit_comparisons = explicit_comparisons;
    pending.payload_comparisons = payload_comparisons;
    pending.index_probes = index_probes;
    pending.owner.first_sequence = first_sequence;
    pending.owner.last_sequence = last_sequence;
    restore_admitted(resources.paints, admitted_paint_texts, write_paint_record,
                     pending.admitted_paints);
    restore_admitted(resources.images, admitted_image_texts, write_image_record,
                     pending.admitted_images);
    restore_admitted(resources.glyphs, admitted_glyph_texts, write_glyph_record,
                     pending.admitted_glyphs);
    restore_admitted(resources.clips, admitted_clip_texts, write_clip_record,
                     pending.admitted_clips);
    restore_admitted(resources.transforms, admitted_transform_texts, write_transform_record,
                     pending.admitted_transforms);
    const std::size_t captured = std::min({paint_rows.size(), image_rows.size(), glyph_rows.size(),
                                           clip_rows.size(), transform_rows.size()});
    if (fragment.commands.size() != captured) {
        // Rows were captured for other commands: such a record must not be written.
        if (pending.ok) {
            pending.ok = false;
            pending.message = "retained resource prepared admission inputs were changed";
        }
        return pending;
    }
    owner_group& owner = pending.owner;
    for (std::size_t k = 0; k < fragment.commands.size(); ++k) {
        owner.commands.push_back(fragment.commands[k]);
        owner.paint_rows.push_back(paint_rows[k]);
        owner.image_rows.push_back(image_rows[k]);
        owner.glyph_rows.push_back(glyph_rows[k]);
        owner.clip_rows.push_back(clip_rows[k]);
        owner.transform_rows.push_back(transform_rows[k]);
    }
    return pending;
}

}  // namespace tamo
