// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
