#pragma once

#include "spots/cluster_settings.h"

namespace mirva {

/// The cluster settings from the section [Cluster] of the stored settings; the defaults where
/// a key is missing, and a spot age that is no number from 1 on is the default one.
ClusterSettings ReadClusterSettings();

/// Keeps the cluster settings for the next start.
void StoreClusterSettings(const ClusterSettings& settings);

}  // namespace mirva
