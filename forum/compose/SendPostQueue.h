#pragma once
// The forum's send queue and draft store. Everything lives in the user
// defaults, so it survives restarts and is the same for every screen: the draft
// box (at most 30 records, newest first), the new-draft flag, the editing draft
// a composer autosaves, and the sending draft that keeps a post in flight safe
// when the process ends before the post is through. Every operation reads the
// stored value afresh and writes the whole value back; what comes out is a copy.
//
// So far only the storage the launch recovery needs stands; sending comes with
// the composers.
#include "platform/foundation/Value.h"

namespace vorn {

// User defaults.
inline constexpr char kDraftListKey[] = "DraftListKeyDraftListKey";
inline constexpr char kNewSaveFlagKey[] = "KNewSaveFlag";
inline constexpr char kEditingDraftKey[] = "kEdittingdraftKey";
inline constexpr char kSendingDraftKey[] = "SendingDraftKey";

// Notifications (posted on the main thread).
inline constexpr char kDraftListDidChangedNotification[] = "DraftListDidChangedNotification";
inline constexpr char kSendPostBeginNotification[] = "SendPostBeginNotification";
inline constexpr char kSendPostImageSuccessNotification[] = "SendPostImageSuccessNotification";
inline constexpr char kSendPostSuccessNotification[] = "SendPostSuccessNotification";
inline constexpr char kSendPostFaildNotification[] = "SendPostFaildNotification";
// Keys of the picture upload notice's dictionary.
inline constexpr char kSendTotalCountKey[] = "totalCount";
inline constexpr char kSendCurrentIndexKey[] = "currentIndex";
inline constexpr char kSendImageUrlKey[] = "imageUrl";

// Keys of a draft record.
inline constexpr char kDraftTypeKey[] = "kTypeKey";
inline constexpr char kDraftTitleKey[] = "postTitle";
inline constexpr char kDraftContentKey[] = "postContent";
inline constexpr char kDraftPicDataKey[] = "PicData";
inline constexpr char kDraftTimeKey[] = "kTimeKey";
inline constexpr char kDraftFailReasonKey[] = "kFailReasonKey";
inline constexpr char kDraftTempIdKey[] = "temp_id";

inline constexpr std::size_t kDraftBoxLimit = 30;

class SendPostQueue {
 public:
  static SendPostQueue& shareQueue();

  // The draft box, newest first; empty when nothing (or not a list) is stored.
  platform::Value loadDraft() const;
  // Stores a copy stamped with the local time at the head of the box: one that
  // is already in the box (same "temp_id") moves to the head, a new one gets a
  // fresh "temp_id"; the oldest leaves beyond 30. Sets the new-draft flag and
  // posts "DraftListDidChangedNotification".
  void saveDraft(const platform::Value& record);
  bool hasNewSave() const;

  // The composer's autosaved record.
  bool hasEditingDraft() const;
  platform::Value getEditingDraft() const;  // null when there is none
  void removeEditingDraft();

  // The record being sent.
  bool hasSendingTempDraft() const;
  void removeTempDraft();
  // Moves the sending draft (when there is one) into the draft box.
  void setSendingTempDraftToNormalDraft();

 private:
  SendPostQueue() = default;
};

}  // namespace vorn
